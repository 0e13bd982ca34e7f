#include "app/modes.h"

#include <allegro.h>

#include <string>

#include "app/constants.h"
#include "app/creator.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "app/startup.h"
#include "net/headless_server.h"
#include "script/compiler_mode.h"

bool loadingScreenFrame() {
    show(false, nullptr);
    return !key[KEY_ESC];
}

int runProgram(int argc, char** argv) {
    const std::string word = argc > 1 ? argv[1] : "";
    if (word == "creator") {
        if (argc > 2) newMap(argv[2]);
        return 0;
    }
    if (word == "server") return runHeadlessServer(argc, argv);
    if (word == "compiler") {
        runCompilerMode(argc - 2, argv + 2);
        return 0;
    }

    init();
    while (loadingScreenFrame()) rest(1000 / TIMER_FPS);
    global.unload();
    return 0;
}
