// The opening sequence: a growing logo over a full-screen picture, the line
// "A Dunmirrow game" built up word by word to a sample, then the corner
// picture, the address line fading in and the version text. A key ends it;
// on the very first start only once the address line has faded in.
#pragma once

#include <string>

#include "app/pacer.h"

struct BITMAP;
struct DATAFILE;

// The intro's course in logic steps, apart from its pictures.
class introTimeline {
public:
    static constexpr int START = 112;
    static constexpr int SETTLED = -15;

    // One logic step; true when the sample is due (at 48, 32, 16 and 0).
    bool advance();

    int counter() const { return count; }
    // Drawn logo size as a share of the full size, 0 to 1.
    float logoScale() const { return scale; }
    const std::string& line() const { return text; }
    bool lineShown() const { return count <= 32; }
    // The corner picture, address and version lines are shown.
    bool settled() const { return count <= SETTLED; }
    // Grey level of the address line, 0 to 255.
    int brightness() const { return light; }
    // A key may end the intro; on a first start only after the fade-in.
    bool skippable(bool firstStart) const { return !firstStart || light > 249; }

private:
    int count = START;
    float scale = 0;
    int light = 0;
    std::string text = "A";
};

extern const char* const INTRO_ADDRESS_LINE;

// "data/intro.dat" holds its four items with the right types: 0 the
// background, 1 the logo, 3 the corner picture (bitmaps), 2 the sample.
bool introDataUsable(const DATAFILE* data);

class introScreen : public pacedScreen {
public:
    // Draws into target, which is the back buffer or a memory bitmap of
    // its size.
    introScreen(DATAFILE* data, BITMAP* target, bool firstStart, int sfxVolume);

    bool step() override;
    void draw() override;
    // The frame into the target, without showing it.
    void render();

    const introTimeline& timeline() const { return course; }

private:
    DATAFILE* data;
    BITMAP* target;
    bool firstStart;
    int sfxVolume;
    introTimeline course;
};
