// Stand-ins for the three menus a mission opens, until the front end
// provides them: each ends the program with a clear error.
#include "app/errors.h"
#include "ui/menu.h"

namespace menu {

int savegameSelect(bool) { errors::fatalError("The savegame screen is not part of this build"); }
int inGameMenu(BITMAP*) { errors::fatalError("The in-game menu is not part of this build"); }
bool options(bool) { errors::fatalError("The options screen is not part of this build"); }

}  // namespace menu
