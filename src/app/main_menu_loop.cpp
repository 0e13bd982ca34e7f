#include "app/main_menu_loop.h"

#include <fstream>

namespace {

enum mainChoice { NEW_GAME, LOAD_GAME, MULTIPLAYER, OPTIONS, EXIT };
enum newGameChoice { START_NEW, CANCEL = 2, SHOOTING_RANGE, TUTORIAL };

const difficultyBonus DIFFICULTY_TABLE[] = {{4, 3}, {2, 1}, {0, 0}};

class menuLoop {
public:
    explicit menuLoop(const frontEndCalls& calls) : calls(calls) {}
    bool run();

private:
    void newGame();
    void loadGame();
    void multiplayer();
    void playMissions();

    const frontEndCalls& calls;
    bool running = true;
    bool askMenu = true;
    bool restart = false;
    bool savegameLoaded = false;
    int choice = NEW_GAME;
    std::string mapName;
    int healBonus = 0;
    int ammoBonus = 0;
};

bool menuLoop::run() {
    while (running && !restart) {
        if (askMenu) choice = calls.mainMenu(choice);
        askMenu = true;
        switch (choice) {
        case NEW_GAME: newGame(); break;
        case LOAD_GAME: loadGame(); break;
        case MULTIPLAYER: multiplayer(); break;
        case OPTIONS: restart = calls.options(true); break;
        case EXIT: running = false; break;
        default: break;
        }
    }
    return restart;
}

void menuLoop::newGame() {
    if (savegameLoaded) {
        savegameLoaded = false;
        playMissions();
        return;
    }
    switch (calls.newGameMenu()) {
    case START_NEW: {
        const difficultyBonus bonus = bonusFor(calls.getDifficulty());
        healBonus = bonus.heal;
        ammoBonus = bonus.ammo;
        if (calls.skipTutorial() != 0)
            mapName.clear();
        else
            mapName = "tutorial";
        break;
    }
    case CANCEL: return;
    case SHOOTING_RANGE: mapName = "range"; break;
    case TUTORIAL: mapName = "tutorial"; break;
    default: break;
    }
    if (mapName.empty() || mapName == "default") mapName = firstLine("maps/default");
    playMissions();
}

void menuLoop::loadGame() {
    const int slot = calls.savegameSelect(true);
    if (slot < 0) return;
    savegame game;
    // A refused file leaves everything as it was; the menu opens again
    // with "Load Game" selected.
    if (!calls.loadSavegame(slot, game)) return;
    mapName = game.mapName;
    healBonus = game.healBonus;
    ammoBonus = game.ammoBonus;
    savegameLoaded = true;
    choice = NEW_GAME;
    askMenu = false;
}

void menuLoop::multiplayer() {
    switch (calls.serverClient()) {
    case 0: calls.hostGame(); break;
    case 1: calls.joinGame(firstWord("server.txt")); break;
    default: break;
    }
}

// One mission after the other, as long as each names the next map.
void menuLoop::playMissions() {
    for (;;) {
        const int code = calls.playMission(mapName, healBonus, ammoBonus);
        if (code == 0 || (code == 1 && mapName == "GS")) break;
        if (code == 1 && mapName == "GO") {
            // The player died: straight to the load dialog when a
            // savegame exists.
            choice = NEW_GAME;
            if (calls.savegameExists()) {
                choice = LOAD_GAME;
                askMenu = false;
            }
            break;
        }
    }
    mapName.clear();
}

}  // namespace

difficultyBonus bonusFor(int difficulty) {
    if (difficulty < 0 || difficulty > 2) difficulty = 2;
    return DIFFICULTY_TABLE[difficulty];
}

std::string firstLine(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    std::getline(file, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string firstWord(const std::string& path) {
    std::ifstream file(path);
    std::string word;
    file >> word;
    return word;
}

bool runMainMenuLoop(const frontEndCalls& calls) { return menuLoop(calls).run(); }
