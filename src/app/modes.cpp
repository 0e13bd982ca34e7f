#include "app/modes.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "app/creator.h"
#include "app/errors.h"
#include "app/globals.h"
#include "app/main_menu_loop.h"
#include "app/startup.h"
#include "editor/editor_mode.h"
#include "game/mission_check.h"
#include "game/single_player_game.h"
#include "net/client_game.h"
#include "net/headless_server.h"
#include "net/server_game.h"
#include "script/compiler_mode.h"
#include "ui/menu.h"
#include "ui/menu_savegames.h"

namespace {

int playMission(std::string& mapName, int healBonus, int ammoBonus) {
    singlePlayerGame game(mapName, healBonus, ammoBonus);
    return game(mapName);
}

void hostGame() {
    serverMultiplayerGame game("testmap", 4, 2, false);
    game();
}

void joinGame(const std::string& address) {
    clientMultiplayerGame game(address);
    game();
}

frontEndCalls gameFrontEnd() {
    frontEndCalls calls;
    calls.mainMenu = menu::main;
    calls.newGameMenu = menu::newGameMenu;
    calls.getDifficulty = menu::getDifficulty;
    calls.skipTutorial = menu::skipTutorial;
    calls.serverClient = menu::serverClient;
    calls.savegameSelect = menu::savegameSelect;
    calls.loadSavegame = menu::loadSavegame;
    calls.options = menu::options;
    calls.savegameExists = menu::savegameExists;
    calls.playMission = playMission;
    calls.hostGame = hostGame;
    calls.joinGame = joinGame;
    return calls;
}

// The intro, then the main menu until the user leaves; the settings are
// written at the end, before a restart for changed display settings.
int runGame(const char* programPath) {
    menu::intro();
    const bool restart = runMainMenuLoop(gameFrontEnd());
    global.unload();
    if (restart) {
        relaunch(programPath);
        errors::fatalError(std::string("Korvalt could not restart itself: ") + std::strerror(errno));
    }
    return 0;
}

}  // namespace

int runProgram(int argc, char** argv) {
    const std::string word = argc > 1 ? argv[1] : "";
    if (word == "creator") {
        if (argc > 2) newMap(argv[2]);
        return 0;
    }
    if (word == "check") return runCheckMode(argc - 2, argv + 2);
    if (word == "server") return runHeadlessServer(argc, argv);
    if (word == "compiler") {
        runCompilerMode(argc - 2, argv + 2);
        return 0;
    }
    init();
    if (word == "editor") return runEditorMode();
    return runGame(argv[0]);
}
