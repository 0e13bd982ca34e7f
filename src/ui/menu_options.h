// The options screen as a paced screen: nine rows (display mode, colour
// depth, vsync, complex sound, two volume levels, "Controls" and the two
// ways out) edited on a copy of the settings. menu::options runs it, opens
// the key-change screen when asked and applies the copy on leaving.
#pragma once

#include <string>

#include "app/globals.h"
#include "app/menu_input.h"
#include "app/pacer.h"

enum class optionsOutcome { editing, controls, saved, discarded };

class optionsScreen : public pacedScreen {
public:
    static constexpr int ROWS = 9;

    // full: from the main menu; without it the colour depth row is neither
    // drawn nor reachable.
    explicit optionsScreen(bool full);

    bool step() override;
    void draw() override;
    // The frame into the back buffer, without showing it.
    void render();
    // Goes on editing after the key-change screen.
    void resume() { outcome = optionsOutcome::editing; }

    int selection() const { return selected; }
    // Top of a shown row on the screen; the selected row's help line lies
    // between it and the next row.
    int rowTop(int row) const;

    globals settings;  // the copy being edited
    optionsOutcome outcome = optionsOutcome::editing;

private:
    bool shown(int row) const { return full || row != 1; }
    int rowAt(int y) const;
    void changeChoice(int row, int side);
    void changeLevel(int row, int amount);
    void drawChoiceRow(int row, int y) const;

    bool full;
    int selected = 0;
    pointerWatch pointer;
};

// A volume level as its row shows it: " - " and the truncated percentage.
std::string levelText(int value);

// Leaving the options: sets a changed display mode at once, then hands the
// copy to the settings in force. True when the colour depth or the video
// bitmaps flag changed, which only a restart applies.
bool applyOptions(globals& copy);
