// An RGBA picture of float channels with anti-aliased painting: every
// generated graphic is painted here and written out by image_files.h.
#pragma once
#include <functional>
#include <vector>

struct Rgb {
    float r = 0, g = 0, b = 0;
};
Rgb rgb(int r, int g, int b);
Rgb mix(Rgb a, Rgb b, float t);
Rgb scale(Rgb c, float f);

struct Pixel {
    Rgb c;
    float a = 0;
};

struct Box {
    float x0, y0, x1, y1;
};

class Canvas {
public:
    Canvas(int width, int height);                // fully transparent
    Canvas(int width, int height, Rgb background);  // opaque
    int w, h;
    std::vector<Pixel> px;

    // Shapes and shading are given in design units: pixel = design x
    // scale + origin. The default is one design unit per pixel; sprites
    // are designed once and painted at a larger scale.
    void setScale(float scale, float originX, float originY);

    Pixel& at(int x, int y) { return px[y * w + x]; }
    const Pixel& at(int x, int y) const { return px[y * w + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

    // Composites colour c with opacity a over the pixel.
    void blend(int x, int y, Rgb c, float a);
    // Paints every pixel of the box: fn returns colour and opacity at the
    // pixel centre (x + 0.5, y + 0.5 in pixels, mapped to design units).
    void shade(Box box, const std::function<Pixel(float x, float y)>& fn);
    // Paints a shape given by an inside test with 4 x 4 supersampling; the
    // colour may vary over the shape.
    void fill(Box box, const std::function<bool(float x, float y)>& inShape,
              const std::function<Rgb(float x, float y)>& colour, float opacity = 1);
    void fill(Box box, const std::function<bool(float x, float y)>& inShape, Rgb colour,
              float opacity = 1);

    void rect(float x0, float y0, float x1, float y1, Rgb c, float opacity = 1);
    void disc(float cx, float cy, float r, Rgb c, float opacity = 1);
    void ellipse(float cx, float cy, float rx, float ry, Rgb c, float opacity = 1);
    void polygon(const std::vector<float>& xy, Rgb c, float opacity = 1);
    void line(float x0, float y0, float x1, float y1, float width, Rgb c, float opacity = 1);
    void ring(float cx, float cy, float r, float width, Rgb c, float opacity = 1);
    // Soft radial glow (additive-looking light pool).
    void glow(float cx, float cy, float r, Rgb c, float strength);
    // Multiplies the colour of covered pixels by a factor that falls off
    // with noise, so that flat fills get grain (box in pixels).
    void grain(Box box, float amount, unsigned seed, float cell = 1);
    // Copies another canvas over this one at (x, y), compositing alpha.
    void draw(const Canvas& src, int x, int y);
    // Draws src turned clockwise by angle radians about its centre, the
    // centre at (cx, cy); pixels less than half covered are left out.
    void drawRotated(const Canvas& src, float cx, float cy, float angle);
    // Adds a one-pixel dark outline around opaque parts (for sprites).
    void outline(Rgb c, float opacity = 1);
    // Soft drop shadow of the opaque parts, offset by (dx, dy).
    void dropShadow(float dx, float dy, float opacity);

private:
    float unit = 1, originX = 0, originY = 0;
    float designX(float pixelX) const { return (pixelX - originX) / unit; }
    float designY(float pixelY) const { return (pixelY - originY) / unit; }
    Box toPixels(Box b) const { return {b.x0 * unit + originX, b.y0 * unit + originY, b.x1 * unit + originX, b.y1 * unit + originY}; }
};
