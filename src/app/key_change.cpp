#include "app/key_change.h"

#include <allegro.h>

#include "app/helpers.h"
#include "app/input.h"

const bindableAction BINDABLE_ACTIONS[KEY_CHANGE_ROWS] = {
    {"Move forward", "moving forward", SLOT_FORWARD},
    {"Move backward", "moving backward", SLOT_BACKWARD},
    {"Strafe left", "moving to the left", SLOT_STRAFE_LEFT},
    {"Strafe right", "moving to the right", SLOT_STRAFE_RIGHT},
    {"Shoot", "firing the selected weapon", SLOT_SHOOT},
    {"Use", "using things like health stations", SLOT_USE},
    {"Select next weapon", "selecting the next weapon", SLOT_NEXT_WEAPON},
    {"Select previous weapon", "selecting the previous weapon", SLOT_PREVIOUS_WEAPON},
    {"Show aiming help", "showing a line indicating the way your bullets will fly", SLOT_AIMING_HELP},
    {"Review mission description", "showing the description of your current mission again", SLOT_DESCRIPTION},
    {"View old messages", "showing an archive of received messages", SLOT_OLD_MESSAGES},
    {"Finished", "Return to the other option", -1},
};

bool isReservedKey(int code) { return (code >= KEY_1 && code <= KEY_5) || (code >= KEY_F9 && code <= KEY_F12); }

namespace {

constexpr int FINISHED = KEY_CHANGE_ROWS - 1;

int lineHeight() { return text_height(global.menuFont) + 3; }
int helpHeight() { return text_height(global.textFont) + 3; }
int white() { return makecol(255, 255, 255); }

}  // namespace

keyChangeScreen::keyChangeScreen(globals& settings) : settings(settings) {}

int keyChangeScreen::rowTop(int row) const {
    const int top = (global.buffer->h - KEY_CHANGE_ROWS * lineHeight() - helpHeight()) / 2;
    return top + row * lineHeight() + (row > selected ? helpHeight() : 0);
}

bool keyChangeScreen::step() {
    if (warningLeft > 0) warningLeft--;
    if (promptFor < 0) return listStep();
    promptStep();
    return true;
}

bool keyChangeScreen::listStep() {
    if (pointer.moved()) {
        // The band of a row runs from its top to the next row's top; the
        // last one reaches to the bottom of the screen.
        for (int row = 0; row < KEY_CHANGE_ROWS; row++)
            if (pointer.y() >= rowTop(row)) selected = row;
    }
    if (menuPressed(menuKey::up)) selected = (selected + KEY_CHANGE_ROWS - 1) % KEY_CHANGE_ROWS;
    if (menuPressed(menuKey::down)) selected = (selected + 1) % KEY_CHANGE_ROWS;
    const bool confirmed = menuPressed(menuKey::confirm);
    if (!clickEvent() && !confirmed) return true;
    if (selected == FINISHED) return false;
    promptFor = selected;
    confirmSkip = CONFIRM_SKIP_TICKS;
    warningLeft = 0;
    return true;
}

void keyChangeScreen::warn(const std::string& text) {
    warningText = text;
    warningLeft = WARNING_TICKS;
}

// Takes the first key held down that may be bound. Enter never becomes a
// binding, and neither does Esc, which only cancels. The confirm key that
// opened the prompt is passed over for its first ticks.
void keyChangeScreen::promptStep() {
    if (keyStates[KEY_ESC]) {
        promptFor = -1;
        return;
    }
    for (int code = 0; code < KEY_CODE_COUNT; code++) {
        if (code == KEY_ENTER || code == KEY_ESC) continue;
        if (code == global.keys[SLOT_USE] && confirmSkip > 0) {
            confirmSkip--;
            continue;
        }
        if (!key[code]) continue;
        int user = -1;
        for (int row = 0; row < FINISHED; row++)
            if (row != promptFor && settings.keys[BINDABLE_ACTIONS[row].slot] == code) user = row;
        if (user >= 0) {
            warn(std::string("This key is already used for ") + BINDABLE_ACTIONS[user].help);
        } else if (isReservedKey(code)) {
            warn(keyName(code) + " is a reserved key");
        } else {
            settings.keys[BINDABLE_ACTIONS[promptFor].slot] = code;
            // The list must not take this key as a new press.
            keyStates.setState(code, 1);
            promptFor = -1;
            return;
        }
    }
}

void keyChangeScreen::renderList() {
    BITMAP* target = global.buffer;
    for (int row = 0; row < KEY_CHANGE_ROWS; row++) {
        const bindableAction& action = BINDABLE_ACTIONS[row];
        std::string text = action.name;
        if (action.slot >= 0) text += " (" + keyName(settings.keys[action.slot]) + ")";
        const int y = rowTop(row);
        textout_centre_ex(target, global.menuFont, text.c_str(), target->w / 2, y,
                          row == selected ? white() : makecol(0, 0, 0), -1);
        if (row != selected) continue;
        const std::string help = action.slot >= 0 ? std::string("Change key for ") + action.help : action.help;
        textout_centre_ex(target, global.textFont, help.c_str(), target->w / 2, y + lineHeight(), white(), -1);
    }
}

void keyChangeScreen::renderPrompt() {
    BITMAP* target = global.buffer;
    const bindableAction& action = BINDABLE_ACTIONS[promptFor];
    const int centre = target->w / 2;
    textout_centre_ex(target, global.textFont, "Press Esc to cancel", centre, 280, white(), -1);
    textout_centre_ex(target, global.textFont,
                      (std::string("Please press the key you would like to use for ") + action.help).c_str(), centre,
                      300, white(), -1);
    textout_centre_ex(target, global.textFont,
                      ("Current key assigned is " + keyName(settings.keys[action.slot])).c_str(), centre, 320,
                      white(), -1);
    if (warningLeft > 0)
        textout_centre_ex(target, global.messageFont, warningText.c_str(), centre, 350, makecol(255, 0, 0), -1);
}

void keyChangeScreen::render() {
    blit(global.mainMenu, global.buffer, 0, 0, 0, 0, global.buffer->w, global.buffer->h);
    if (promptFor < 0)
        renderList();
    else
        renderPrompt();
}

void keyChangeScreen::draw() {
    render();
    show(true, nullptr);
}

namespace menu {

void keyChange(globals& settings) {
    keyChangeScreen screen(settings);
    runPaced(screen, MENU_PACING);
}

}  // namespace menu
