#include "ui/menu_options.h"

#include <allegro.h>

#include <algorithm>
#include <string>

#include "app/helpers.h"
#include "app/input.h"
#include "app/key_change.h"
#include "app/startup.h"
#include "ui/menu.h"

namespace {

enum rowKind { CHOICE, LEVEL, ACTION };

struct optionRow {
    const char* label;
    rowKind kind;
    const char* left;
    const char* right;
    const char* help;
};

const optionRow ROW_TABLE[optionsScreen::ROWS] = {
    {"Display mode", CHOICE, "Windowed", "Fullscreen", "Should the game be started in windowed or fullscreen mode?"},
    {"Color depth", CHOICE, "32", "16", "How many bits per pixel should be used?"},
    {"VSync", CHOICE, "On", "Off", "Should the game be synced with your monitor?"},
    {"Complex SFX", CHOICE, "On", "Off", "Should 2D Sound effects be used?"},
    {"SFX volume", LEVEL, nullptr, nullptr, "Volume of sound effects"},
    {"Music volume", LEVEL, nullptr, nullptr, "Volume of background music"},
    {"Controls", ACTION, nullptr, nullptr, "Set controls"},
    {"Exit saving changes", ACTION, nullptr, nullptr, "Return to main menu saving changes you made"},
    {"Exit discarding changes", ACTION, nullptr, nullptr, "Return to main menu discarding all changes you made"},
};

enum rowIndex { MODE, DEPTH, VSYNC, COMPLEX_SFX, SFX_VOLUME, MUSIC_VOLUME, CONTROLS, EXIT_SAVING, EXIT_DISCARDING };

constexpr int COLUMN_GAP = 26;

int lineHeight() { return text_height(global.menuFont) + 3; }
int helpHeight() { return text_height(global.textFont) + 3; }

// 0 when the choice row's left value is in force, 1 for the right one.
int choiceSide(const globals& s, int row) {
    switch (row) {
    case MODE: return s.mode == 2 ? 0 : 1;
    case DEPTH: return s.colorDepth == 32 ? 0 : 1;
    case VSYNC: return s.vsync ? 0 : 1;
    default: return s.complexSfx ? 0 : 1;
    }
}

unsigned char& level(globals& s, int row) { return row == SFX_VOLUME ? s.sfxVolume : s.musicVolume; }
int levelOf(const globals& s, int row) { return row == SFX_VOLUME ? s.sfxVolume : s.musicVolume; }

}  // namespace

optionsScreen::optionsScreen(bool full) : full(full) { settings = global; }

int optionsScreen::rowTop(int row) const {
    // The mission's form shows eight rows but is centred as if it had
    // seven, so it sits half a row lower than the main menu's.
    const int shownRows = full ? 9 : 7;
    int y = (global.buffer->h - shownRows * lineHeight() - helpHeight()) / 2;
    for (int r = 0; r < row; r++) {
        if (!shown(r)) continue;
        y += lineHeight();
        if (r == selected) y += helpHeight();
    }
    return y;
}

// The row whose band holds y: from its top to the next shown row's top,
// the last one to the bottom of the screen; -1 above the first.
int optionsScreen::rowAt(int y) const {
    int found = -1;
    for (int row = 0; row < ROWS; row++)
        if (shown(row) && y >= rowTop(row)) found = row;
    return found;
}

void optionsScreen::changeChoice(int row, int side) {
    switch (row) {
    case MODE: settings.mode = side == 0 ? 2 : 1; break;
    case DEPTH: settings.colorDepth = side == 0 ? 32 : 16; break;
    case VSYNC: settings.vsync = side == 0 ? 1 : 0; break;
    default: settings.complexSfx = side == 0 ? 1 : 0; break;
    }
}

void optionsScreen::changeLevel(int row, int amount) {
    unsigned char& value = level(settings, row);
    value = static_cast<unsigned char>(std::clamp(value + amount, 0, 255));
}

bool optionsScreen::step() {
    if (pointer.moved()) {
        const int row = rowAt(pointer.y());
        if (row >= 0) selected = row;
    }
    if (menuPressed(menuKey::up)) do selected = (selected + ROWS - 1) % ROWS; while (!shown(selected));
    if (menuPressed(menuKey::down)) do selected = (selected + 1) % ROWS; while (!shown(selected));

    // Choice rows take presses, level rows follow held keys; both latches
    // are asked on every step so a held key never counts as a new press.
    const bool leftPressed = menuPressed(menuKey::left);
    const bool rightPressed = menuPressed(menuKey::right);
    const bool confirmed = menuPressed(menuKey::confirm);
    const bool clicked = clickEvent();
    switch (ROW_TABLE[selected].kind) {
    case CHOICE:
        if (leftPressed) changeChoice(selected, 0);
        if (rightPressed) changeChoice(selected, 1);
        break;
    case LEVEL:
        if (menuHeld(menuKey::left)) changeLevel(selected, -1);
        if (menuHeld(menuKey::right)) changeLevel(selected, 1);
        changeLevel(selected, mouseZDiff);
        break;
    case ACTION:
        if (!confirmed && !clicked) break;
        if (selected == CONTROLS) {
            outcome = optionsOutcome::controls;
        } else if (selected == EXIT_SAVING) {
            outcome = optionsOutcome::saved;
        } else {
            settings = global;
            outcome = optionsOutcome::discarded;
        }
        return false;
    }
    return true;
}

void optionsScreen::drawChoiceRow(int row, int y) const {
    BITMAP* target = global.buffer;
    FONT* f = global.menuFont;
    const optionRow& r = ROW_TABLE[row];
    const bool isSelected = row == selected;
    const int bright = isSelected ? makecol(255, 255, 255) : makecol(112, 112, 112);
    const int dark = makecol(32, 32, 32);
    const int side = choiceSide(settings, row);
    const int leftX = (target->w - text_length(f, r.left)) / 2;
    const int rightX = leftX + text_length(f, r.left) + COLUMN_GAP;
    textout_ex(target, f, r.left, leftX, y, side == 0 ? bright : dark, -1);
    textout_ex(target, f, r.right, rightX, y, side == 1 ? bright : dark, -1);
    textout_right_ex(target, f, r.label, leftX - COLUMN_GAP, y,
                     isSelected ? makecol(255, 255, 255) : makecol(0, 0, 0), -1);
    // The value in force is underlined too: on the light panel its grey
    // alone reads fainter than the other value's dark grey.
    const int inForceX = side == 0 ? leftX : rightX;
    const int inForceWidth = text_length(f, side == 0 ? r.left : r.right);
    const int underline = y + text_height(f);
    rectfill(target, inForceX, underline, inForceX + inForceWidth - 1, underline + 1, makecol(255, 255, 255));
}

void optionsScreen::render() {
    BITMAP* target = global.buffer;
    FONT* f = global.menuFont;
    const int centre = target->w / 2;
    blit(global.mainMenu, target, 0, 0, 0, 0, target->w, target->h);
    for (int row = 0; row < ROWS; row++) {
        if (!shown(row)) continue;
        const int y = rowTop(row);
        const int colour = row == selected ? makecol(255, 255, 255) : makecol(0, 0, 0);
        switch (ROW_TABLE[row].kind) {
        case CHOICE: drawChoiceRow(row, y); break;
        case LEVEL: {
            textout_right_ex(target, f, ROW_TABLE[row].label, centre, y, colour, -1);
            textout_ex(target, f, levelText(levelOf(settings, row)).c_str(), centre + 5, y, colour, -1);
            break;
        }
        case ACTION: textout_centre_ex(target, f, ROW_TABLE[row].label, centre, y, colour, -1); break;
        }
        if (row == selected)
            textout_centre_ex(target, global.textFont, ROW_TABLE[row].help, centre, y + lineHeight(),
                              makecol(255, 255, 255), -1);
    }
}

void optionsScreen::draw() {
    render();
    show(true, nullptr);
}

std::string levelText(int value) { return " - " + std::to_string(value * 100 / 255) + "%"; }

bool applyOptions(globals& copy) {
    if (copy.mode != global.mode) setMode(copy.mode);
    // Screenshots taken while the options were open counted on in the
    // settings in force; going back to the copy's older number would
    // overwrite them.
    copy.screenshotNumber = global.screenshotNumber;
    const bool restart = copy.colorDepth != global.colorDepth || copy.videoBitmaps != global.videoBitmaps;
    global = copy;
    return restart;
}

namespace menu {

bool options(bool full) {
    optionsScreen screen(full);
    for (;;) {
        runPaced(screen, MENU_PACING);
        if (screen.outcome != optionsOutcome::controls) break;
        keyChange(screen.settings);
        screen.resume();
    }
    return applyOptions(screen.settings);
}

}  // namespace menu
