// The key-change screen: the bindable actions with their keys, and the
// prompt that takes a new key for one of them. It edits the options
// screen's copy of the settings; the navigation keys are those in force.
#pragma once

#include <string>

#include "app/globals.h"
#include "app/menu_input.h"
#include "app/pacer.h"

struct bindableAction {
    const char* name;
    const char* help;
    int slot;  // binding slot, -1 for "Finished"
};

constexpr int KEY_CHANGE_ROWS = 12;
extern const bindableAction BINDABLE_ACTIONS[KEY_CHANGE_ROWS];

// Key codes kept for the mission loop (the digits 1 to 5, F9 to F12).
bool isReservedKey(int code);

class keyChangeScreen : public pacedScreen {
public:
    static constexpr int WARNING_TICKS = 80;
    static constexpr int CONFIRM_SKIP_TICKS = 16;

    explicit keyChangeScreen(globals& settings);

    bool step() override;
    void draw() override;
    // The frame into the back buffer, without showing it.
    void render();

    int selection() const { return selected; }
    // The action whose prompt is open, -1 while the list is shown.
    int prompting() const { return promptFor; }
    const std::string& warning() const { return warningText; }
    int warningTicks() const { return warningLeft; }
    int rowTop(int row) const;

private:
    bool listStep();
    void promptStep();
    void warn(const std::string& text);
    void renderList();
    void renderPrompt();

    globals& settings;
    int selected = 0;
    int promptFor = -1;
    int confirmSkip = 0;
    std::string warningText;
    int warningLeft = 0;
    pointerWatch pointer;
};

namespace menu {

// Runs the key-change screen on settings until "Finished" is chosen.
void keyChange(globals& settings);

}  // namespace menu
