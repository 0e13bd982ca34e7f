#include "ui/intro.h"

#include <allegro.h>

#include <algorithm>

#include "app/constants.h"
#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"
#include "ui/menu.h"

// The game's own home page; the ".example" name is reserved, so it can
// never point anywhere real.
const char* const INTRO_ADDRESS_LINE = "www.dunmirrow.example/korvalt";

namespace {

enum introItem { BACKGROUND, LOGO, SAMPLE_ITEM, CORNER_PICTURE, ITEM_COUNT };

const char* const INTRO_FILE = "data/intro.dat";
const char* const FULL_LINE = "A Dunmirrow game";

constexpr int LOGO_GROWTH_STEPS = 64;
constexpr int BRIGHTNESS_STEP = 3;
constexpr int LINE_LIFT = 140;        // text line's bottom above the screen's
constexpr int ADDRESS_GAP = 7;        // address line below the text line
constexpr int CORNER_INSET = 3;

BITMAP* bitmapItem(DATAFILE* data, int item) { return static_cast<BITMAP*>(data[item].dat); }

}  // namespace

bool introTimeline::advance() {
    if (count > SETTLED) count--;
    scale = std::min(1.0f, scale + 1.0f / LOGO_GROWTH_STEPS);
    if (count == 16) text += " Dunmirrow";
    if (count == 0) text += " game";
    if (settled() && light + BRIGHTNESS_STEP < 256) light += BRIGHTNESS_STEP;
    return count == 48 || count == 32 || count == 16 || count == 0;
}

bool introDataUsable(const DATAFILE* data) {
    if (!data) return false;
    for (int item = 0; item < ITEM_COUNT; item++) {
        if (data[item].type == DAT_END || !data[item].dat) return false;
        const int wanted = item == SAMPLE_ITEM ? DAT_SAMPLE : DAT_BITMAP;
        if (data[item].type != wanted) return false;
    }
    return true;
}

introScreen::introScreen(DATAFILE* data, BITMAP* target, bool firstStart, int sfxVolume)
    : data(data), target(target), firstStart(firstStart), sfxVolume(sfxVolume) {}

bool introScreen::step() {
    if (course.advance()) play_sample(static_cast<SAMPLE*>(data[SAMPLE_ITEM].dat), sfxVolume, 128, 1000, 0);
    // F9 is left to the frame flip, which takes a screenshot with it; it
    // does not end the intro. Every other press is taken here, so one made
    // before the intro may be skipped is used up and does not end it later.
    if (key[KEY_F9]) return true;
    return !(keyStates.anyKey() && course.skippable(firstStart));
}

void introScreen::render() {
    const int w = target->w, h = target->h;
    BITMAP* background = bitmapItem(data, BACKGROUND);
    blit(background, target, 0, 0, 0, 0, background->w, background->h);

    BITMAP* logo = bitmapItem(data, LOGO);
    const int logoW = static_cast<int>(logo->w * course.logoScale());
    const int logoH = static_cast<int>(logo->h * course.logoScale());
    if (logoW > 0 && logoH > 0) stretch_sprite(target, logo, (w - logoW) / 2, (h - logoH) / 2, logoW, logoH);

    FONT* lineFont = global.menuFont;
    const int lineY = h - text_height(lineFont) - LINE_LIFT;
    if (course.lineShown())
        textout_ex(target, lineFont, course.line().c_str(), (w - text_length(lineFont, FULL_LINE)) / 2, lineY,
                   makecol(255, 255, 255), -1);
    if (!course.settled()) return;

    BITMAP* corner = bitmapItem(data, CORNER_PICTURE);
    blit(corner, target, 0, 0, CORNER_INSET, h - corner->h - CORNER_INSET, corner->w, corner->h);
    const int grey = course.brightness();
    textout_centre_ex(target, global.textFont, INTRO_ADDRESS_LINE, w / 2, lineY + text_height(lineFont) + ADDRESS_GAP,
                      makecol(grey, grey, grey), -1);
    const int textH = text_height(global.textFont);
    textout_right_ex(target, global.textFont, allegro_id, w - 3, h - 2 * textH - 6, makecol(0, 0, 0), -1);
    textout_right_ex(target, global.textFont, VERSIONSTRING.c_str(), w - 3, h - textH - 3, makecol(0, 0, 0), -1);
}

void introScreen::draw() {
    render();
    show(false, target == global.buffer ? nullptr : target);
}

namespace menu {

void intro() {
    DATAFILE* data = load_datafile(INTRO_FILE);
    if (!introDataUsable(data)) errors::datafileError(INTRO_FILE);
    // Video bitmaps can't be drawn into quickly; the intro then uses a
    // memory bitmap of its own.
    BITMAP* target = global.videoBitmaps ? create_bitmap(global.buffer->w, global.buffer->h) : global.buffer;
    if (!target) errors::createError();
    {
        introScreen screen(data, target, global.firstStart, global.sfxVolume);
        runPaced(screen, pacing{global.maxFrameSkip, 1, false});
    }
    if (target != global.buffer) destroy_bitmap(target);
    unload_datafile(data);
}

}  // namespace menu
