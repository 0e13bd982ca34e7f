// The list menus: each is the generic button menu with its own items.
#include "ui/menu.h"

#include <allegro.h>

#include <memory>
#include <vector>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/pacer.h"
#include "app/savegame.h"
#include "ui/menu_buttons.h"
#include "ui/menu_savegames.h"

namespace {

// A list menu in the main menu's look: menu font, margin 50, default
// buttons, background and colours. Items without a flag are enabled.
int listMenu(int start, std::vector<std::string> labels, const std::vector<bool>& enabled = {}) {
    const int count = static_cast<int>(labels.size());
    std::unique_ptr<bool[]> flags(new bool[count]);
    for (int i = 0; i < count; i++) flags[i] = i >= static_cast<int>(enabled.size()) || enabled[i];
    return menu::stdMenu(start, count, labels.data(), flags.get(), global.menuFont, 50, nullptr, nullptr, nullptr,
                         -1, -1, -1);
}

}  // namespace

namespace menu {

int stdMenu(int start, int count, std::string* labels, bool* enabled, FONT* font, int margin, BITMAP* button,
            BITMAP* buttonOther, BITMAP* background, int normalColour, int selectedColour, int disabledColour) {
    if (count < 1) return -1;
    BITMAP* ownButton = button ? nullptr : loadBitmap("gfx/button.tga");
    BITMAP* ownButtonOther = buttonOther ? nullptr : loadBitmap("gfx/buttonpressed.tga");
    buttonMenuLook look;
    look.font = font;
    look.margin = margin;
    look.button = button ? button : ownButton;
    look.buttonOther = buttonOther ? buttonOther : ownButtonOther;
    look.background = background ? background : global.mainMenu;
    look.normalColour = normalColour >= 0 ? normalColour : makecol(153, 153, 153);
    look.selectedColour = selectedColour >= 0 ? selectedColour : makecol(0, 0, 0);
    look.disabledColour = disabledColour >= 0 ? disabledColour : makecol(255, 255, 255);

    buttonMenu screen(start, std::vector<std::string>(labels, labels + count),
                      std::vector<bool>(enabled, enabled + count), look);
    runPaced(screen, MENU_PACING);

    if (ownButton) destroy_bitmap(ownButton);
    if (ownButtonOther) destroy_bitmap(ownButtonOther);
    return screen.choice();
}

int main(int start) {
    return listMenu(start, {"New Game", "Load Game", "Multiplayer", "Options", "Exit"},
                    {true, savegameExists(), true, true, true});
}

int newGameMenu() {
    for (;;) {
        const int first = listMenu(0, {"Start New Game", "Special Maps", "Cancel"});
        if (first != 1) return first;
        const int special = listMenu(0, {"Shooting Range", "Tutorial", "Cancel"});
        if (special == 0) return 3;
        if (special == 1) return 4;
    }
}

int getDifficulty() { return listMenu(0, {"Easy", "Medium", "Hard"}); }

int skipTutorial() { return listMenu(0, {"Start tutorial", "Skip tutorial"}); }

int serverClient() { return listMenu(0, {"Server", "Client", "Cancel"}); }

int inGameMenu(BITMAP* background) {
    std::string labels[] = {"Continue", "Mission description", "Options", "Quit to main menu"};
    bool enabled[] = {true, true, true, true};
    BITMAP* button = loadBitmap("gfx/ingamebutton.tga");
    BITMAP* buttonOther = loadBitmap("gfx/ingamebuttonpressed.tga");
    const int result = stdMenu(0, 4, labels, enabled, global.textFont, 250, button, buttonOther, background,
                               makecol(170, 170, 170), makecol(255, 255, 255), -1);
    destroy_bitmap(button);
    destroy_bitmap(buttonOther);
    return result;
}

int savegameSelect(bool load) {
    if (load && !savegameExists()) return -1;
    const slotList slots = savegameSlots(load);
    const int row = listMenu(0, slots.labels, slots.enabled);
    return slotOfRow(load, row, static_cast<int>(slots.labels.size()));
}

bool savegameExists() {
    for (int slot = 0; slot < SAVEGAME_SLOTS; slot++)
        if (fileExists(getSavegamePath(slot))) return true;
    return false;
}

void gameOver() {}

}  // namespace menu
