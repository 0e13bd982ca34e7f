// The menus of the front end: main menu, new game, difficulty, tutorial
// choice, multiplayer choice, savegame slots, the in-game menu, options,
// intro and the game-over screen.
#pragma once

struct BITMAP;

namespace menu {

int main(int start);
int newGameMenu();
int getDifficulty();
int skipTutorial();
int serverClient();
int savegameSelect(bool load);
int inGameMenu(BITMAP* background);
bool options(bool full);
bool savegameExists();
void intro();
void gameOver();

}  // namespace menu
