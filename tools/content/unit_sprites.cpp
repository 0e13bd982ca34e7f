#include "unit_sprites.h"

#include <cmath>
#include <vector>

namespace {
const Rgb GUNMETAL = rgb(46, 48, 54), OUTLINE = rgb(16, 16, 20), BLOOD = rgb(120, 14, 12);

// Figures are designed on a grid of look.size units and painted 1.25
// times larger, with a small margin so that muzzles and flashes fit.
const float SCALE = 1.25f;

Canvas spriteCanvas(const Look& look) {
    int size = static_cast<int>(std::ceil(look.size * SCALE)) + 12;
    size += size % 2;
    Canvas c(size, size);
    float origin = size / 2.0f - look.size * SCALE / 2;
    c.setScale(SCALE, origin, origin);
    return c;
}

// Rotates the points (x, y pairs) about (px, py) by angle radians, clockwise.
std::vector<float> rotated(std::vector<float> xy, float px, float py, float angle) {
    float s = std::sin(angle), c = std::cos(angle);
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        float dx = xy[i] - px, dy = xy[i + 1] - py;
        xy[i] = px + dx * c - dy * s;
        xy[i + 1] = py + dx * s + dy * c;
    }
    return xy;
}

// Shaded blob lit from the top left of the sprite.
void blob(Canvas& c, float cx, float cy, float rx, float ry, Rgb base) {
    c.fill({cx - rx, cy - ry, cx + rx, cy + ry},
           [=](float x, float y) {
               float dx = (x - cx) / rx, dy = (y - cy) / ry;
               return dx * dx + dy * dy <= 1;
           },
           [=](float x, float y) {
               float lx = (x - cx) / rx, ly = (y - cy) / ry;
               return scale(base, std::fmax(0.55f, 1.1f - 0.3f * (lx + ly)));
           });
}

struct Pose {
    float cx, cy;     // body centre
    float gunAngle;   // radians from straight ahead, clockwise
    bool raisedHands; // civilians' aiming and shooting states
    bool walking;
    bool flash;
};

void paintGear(Canvas& c, const Look& look, const Pose& p, float& tipX, float& tipY) {
    float gx = p.cx + 3, gy = p.cy - 2;  // grip point, right of centre
    std::vector<float> body;
    Rgb colour = GUNMETAL;
    float length = 14, width = 2.2f;
    switch (look.gear) {
    case Gear::rifle: length = 14; break;
    case Gear::shotgun: length = 11; width = 3; colour = rgb(70, 50, 36); break;
    case Gear::sniperRifle: length = 16; width = 1.8f; break;
    case Gear::rocketLauncher: length = 17; width = 5; colour = rgb(70, 82, 60); gx = p.cx + 5; gy = p.cy + 4; break;
    default: break;
    }
    body = {gx - width / 2, gy + 3, gx + width / 2, gy + 3, gx + width / 2, gy - length, gx - width / 2, gy - length};
    c.polygon(rotated(body, gx, gy, p.gunAngle), colour);
    if (look.gear == Gear::sniperRifle) c.polygon(rotated({gx - 1.2f, gy - 3, gx + 1.2f, gy - 3, gx + 1.2f, gy - 8, gx - 1.2f, gy - 8}, gx, gy, p.gunAngle), rgb(20, 20, 24));
    if (look.gear == Gear::rocketLauncher) {
        c.polygon(rotated({gx - 3.2f, gy - length, gx + 3.2f, gy - length, gx + 3.2f, gy - length + 3, gx - 3.2f, gy - length + 3}, gx, gy, p.gunAngle), rgb(40, 44, 36));
        c.polygon(rotated({gx - 1.5f, gy - length + 1, gx + 1.5f, gy - length + 1, gx + 1.5f, gy - length - 2, gx - 1.5f, gy - length - 2}, gx, gy, p.gunAngle), rgb(200, 60, 40));
    }
    if (look.gear == Gear::shotgun) c.polygon(rotated({gx - 1.6f, gy - 5, gx + 1.6f, gy - 5, gx + 1.6f, gy - 8, gx - 1.6f, gy - 8}, gx, gy, p.gunAngle), rgb(120, 90, 60));
    float s = std::sin(p.gunAngle), co = std::cos(p.gunAngle);
    tipX = gx + length * s;
    tipY = gy - length * co;
}

void paintFlash(Canvas& c, float x, float y, float angle, float size) {
    c.glow(x, y, size * 2.2f, rgb(255, 200, 90), 0.7f);
    std::vector<float> star;
    for (int i = 0; i < 10; ++i) {
        float a = i * 3.14159265f / 5, r = i % 2 ? size * 0.45f : size;
        if (i == 0) r *= 1.5f;
        star.insert(star.end(), {x + r * std::sin(a), y - r * std::cos(a)});
    }
    c.polygon(rotated(star, x, y, angle), rgb(255, 230, 140));
    c.disc(x, y, size * 0.35f, rgb(255, 255, 230));
}

void paintHead(Canvas& c, const Look& look, float cx, float cy, float r) {
    switch (look.headwear) {
    case Headwear::helmet:
    case Headwear::visorHelmet:
        blob(c, cx, cy, r, r, look.head);
        c.ring(cx, cy, r - 1.2f, 0.8f, scale(look.head, 0.75f), 0.7f);
        if (look.headwear == Headwear::visorHelmet) c.rect(cx - r * 0.7f, cy - r + 0.6f, cx + r * 0.7f, cy - r + 2.2f, rgb(120, 220, 230));
        break;
    case Headwear::beret:
        blob(c, cx, cy, r * 0.9f, r * 0.9f, look.skin);
        blob(c, cx + 0.6f, cy + 0.5f, r * 0.85f, r * 0.75f, look.head);
        break;
    case Headwear::hood:
        blob(c, cx, cy, r * 1.1f, r * 1.1f, look.head);
        c.disc(cx, cy - r * 0.5f, r * 0.45f, scale(look.head, 0.6f));
        break;
    case Headwear::hair:
        blob(c, cx, cy - 0.3f, r * 0.95f, r * 0.95f, look.skin);
        blob(c, cx, cy + 0.8f, r * 0.9f, r * 0.75f, look.head);
        break;
    case Headwear::hardHat:
        blob(c, cx, cy, r * 1.05f, r * 1.05f, look.head);
        c.rect(cx - 0.6f, cy - r, cx + 0.6f, cy + r, scale(look.head, 0.8f));
        break;
    }
}

Canvas paintAlive(const Look& look, int state) {
    const float s = look.size;
    Canvas c = spriteCanvas(look);
    bool civilian = look.gear == Gear::clipboard || look.gear == Gear::toolbox;
    bool aiming = state == 1 || state == 2 || state == 4;
    Pose p{s / 2, s / 2 + 1, aiming ? 0.0f : 0.5f, civilian && aiming, state == 3 || state == 4,
           !civilian && (state == 2 || state == 4)};
    float shoulder = look.bulky ? 9.5f : 7.5f, depth = look.bulky ? 5.5f : 4.5f;
    // Legs: one foot ahead, one behind while walking; the game mirrors the
    // sprite every few steps so that they alternate.
    if (p.walking) {
        blob(c, p.cx - 3, p.cy - 6, 2.3f, 3.6f, look.trousers);
        blob(c, p.cx - 3, p.cy - 8.5f, 2, 1.6f, rgb(30, 28, 26));
        blob(c, p.cx + 3, p.cy + 6, 2.3f, 3.6f, look.trousers);
        blob(c, p.cx + 3, p.cy + 8.5f, 2, 1.6f, rgb(30, 28, 26));
    } else {
        blob(c, p.cx - 3, p.cy + 1, 2.3f, 3.2f, look.trousers);
        blob(c, p.cx + 3, p.cy + 1, 2.3f, 3.2f, look.trousers);
    }
    // Backpack or tool load behind the shoulders.
    if (!civilian) blob(c, p.cx, p.cy + depth, shoulder * 0.6f, 2.6f, scale(look.uniform, 0.7f));
    blob(c, p.cx, p.cy, shoulder, depth, look.uniform);
    if (look.bulky) {
        blob(c, p.cx - shoulder + 2, p.cy - 0.5f, 3.2f, 3.6f, scale(look.uniform, 1.25f));
        blob(c, p.cx + shoulder - 2, p.cy - 0.5f, 3.2f, 3.6f, scale(look.uniform, 1.25f));
    }
    float tipX = 0, tipY = 0;
    if (civilian) {
        if (p.raisedHands) {
            blob(c, p.cx - shoulder + 1, p.cy - 4, 1.8f, 3.8f, look.uniform);
            blob(c, p.cx + shoulder - 1, p.cy - 4, 1.8f, 3.8f, look.uniform);
            c.disc(p.cx - shoulder + 1, p.cy - 8, 1.8f, look.skin);
            c.disc(p.cx + shoulder - 1, p.cy - 8, 1.8f, look.skin);
        } else if (look.gear == Gear::clipboard) {
            blob(c, p.cx + shoulder - 2, p.cy - 3, 1.8f, 3, look.uniform);
            c.rect(p.cx + 1, p.cy - 9, p.cx + 7, p.cy - 3, rgb(150, 110, 70));
            c.rect(p.cx + 2, p.cy - 8, p.cx + 6, p.cy - 4, rgb(240, 240, 232));
            c.disc(p.cx + 3, p.cy - 5, 1.5f, look.skin);
        } else {
            blob(c, p.cx + shoulder, p.cy + 2, 1.8f, 3, look.uniform);
            c.rect(p.cx + shoulder - 2, p.cy + 4, p.cx + shoulder + 3, p.cy + 8, rgb(190, 40, 30));
            c.rect(p.cx + shoulder - 2, p.cy + 4, p.cx + shoulder + 3, p.cy + 5, rgb(230, 80, 60));
        }
    } else {
        paintGear(c, look, p, tipX, tipY);
        // Hands on the weapon: the front hand follows its angle.
        float fx = p.cx + 3 + 7 * std::sin(p.gunAngle), fy = p.cy - 2 - 7 * std::cos(p.gunAngle);
        c.line(p.cx - shoulder + 2, p.cy - 1, fx, fy, 2.6f, look.uniform);
        c.line(p.cx + shoulder - 2, p.cy, p.cx + 3, p.cy - 1, 2.6f, look.uniform);
        c.disc(fx, fy, 1.5f, look.skin);
        c.disc(p.cx + 3, p.cy - 1, 1.5f, look.skin);
    }
    paintHead(c, look, p.cx, p.cy - 0.5f, look.bulky ? 4.4f : 4.0f);
    c.outline(OUTLINE);
    if (p.flash) paintFlash(c, tipX, tipY - 0.5f, p.gunAngle, look.gear == Gear::rocketLauncher ? 4.5f : 3.4f);
    return c;
}

Canvas paintDead(const Look& look) {
    const float s = look.size, cx = s / 2, cy = s / 2;
    Canvas c = spriteCanvas(look);
    c.fill({cx - 10, cy - 8, cx + 11, cy + 10}, [=](float x, float y) {
        float a = std::atan2(y - cy, x - cx), r = 8 + 1.5f * std::sin(a * 3) + std::sin(a * 5 + 1);
        return std::hypot(x - cx - 1, (y - cy - 1) * 1.15f) < r;
    }, BLOOD, 0.9f);
    // Lying on the back: legs toward the bottom, arms flung out.
    c.line(cx - 2, cy + 3, cx - 4, cy + s / 2 - 3, 3.8f, look.trousers);
    c.line(cx + 2, cy + 3, cx + 5, cy + s / 2 - 4, 3.8f, look.trousers);
    c.line(cx - 5, cy - 4, cx - 11, cy + 1, 2.6f, look.uniform);
    c.line(cx + 5, cy - 4, cx + 10, cy - 9, 2.6f, look.uniform);
    c.disc(cx - 11, cy + 1, 1.5f, look.skin);
    c.disc(cx + 10, cy - 9, 1.5f, look.skin);
    blob(c, cx, cy - 1, look.bulky ? 7.5f : 6, 7, look.uniform);
    paintHead(c, look, cx, cy - 9, 3.8f);
    if (look.gear != Gear::clipboard && look.gear != Gear::toolbox) {
        std::vector<float> gun = {cx + 8, cy + 2, cx + 10, cy + 2, cx + 10, cy + 14, cx + 8, cy + 14};
        c.polygon(rotated(gun, cx + 9, cy + 8, -0.5f), GUNMETAL);
    } else {
        c.rect(cx - 12, cy + 6, cx - 6, cy + 11, look.gear == Gear::clipboard ? rgb(240, 240, 232) : rgb(190, 40, 30));
    }
    c.outline(OUTLINE, 0.8f);
    return c;
}
}  // namespace

Canvas paintUnit(const Look& look, int state) { return state == 5 ? paintDead(look) : paintAlive(look, state); }
