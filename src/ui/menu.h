// The front end's menus: each call is a small modal screen that draws into
// the back buffer, reads keys through keyStates and the mouse through the
// click events, and returns the user's choice. What a choice starts is the
// caller's business (the main-menu loop, the mission's in-game menu).
// menu::keyChange lives beside the key bindings in app/key_change.h.
#pragma once

#include <string>

struct BITMAP;
struct FONT;

namespace menu {

// "New Game", "Load Game", "Multiplayer", "Options", "Exit" as 0 to 4; "Load
// Game" is disabled while no savegame exists. start is selected first.
int main(int start);
// 0 start new game, 2 cancel, 3 shooting range, 4 tutorial.
int newGameMenu();
// "Easy", "Medium", "Hard" as 0 to 2.
int getDifficulty();
// 0 start the tutorial, 1 skip it.
int skipTutorial();
// 0 server, 1 client, 2 cancel.
int serverClient();
// The chosen savegame slot (0 to 3; 1 to 3 when saving), -1 for cancel.
int savegameSelect(bool load);
// "Continue", "Mission description", "Options", "Quit to main menu" as 0 to
// 3, over a copy of the mission's screen.
int inGameMenu(BITMAP* background);
// Edits the settings; true when the colour depth (or the video bitmaps
// flag) changed on leaving with "Exit saving changes", which needs a
// restart. full is false inside a running mission (no colour depth row).
bool options(bool full);
// Any of the four savegame files exists.
bool savegameExists();
// The opening sequence, once at start-up.
void intro();
// Nothing to show: the mission's own screen tells the player.
void gameOver();

// The generic button menu; returns the index of the chosen item. A null
// bitmap takes its default ("gfx/button.tga", "gfx/buttonpressed.tga", the
// menu background), a negative colour too (grey, black, white).
int stdMenu(int start, int count, std::string* labels, bool* enabled, FONT* font, int margin, BITMAP* button,
            BITMAP* buttonOther, BITMAP* background, int normalColour, int selectedColour, int disabledColour);

}  // namespace menu
