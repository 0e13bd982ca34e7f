#include "app/pacer.h"

#include <allegro.h>

#include "app/helpers.h"
#include "net/transport.h"

namespace {
void allegroRest(int ms) { rest(ms); }
}  // namespace

bool pacedPass(pacedScreen& screen, const pacing& how, void (*sleepMs)(int)) {
    if (how.restMs > 0) sleepMs(how.restMs);
    // Connections closed with messages not yet acknowledged (the QUIT that
    // ends a multiplayer game) go on resending from whichever loop runs
    // next, the menus included, until delivered or timed out.
    net_poll_lingering();
    int steps = 0;
    bool running = true;
    while (timerCounter > 0) {
        running = screen.step();
        --timerCounter;
        ++steps;
        if (!running) break;
        if (steps >= how.maxSteps) {
            // Frame skip limit reached: draw now and drop the backlog.
            if (how.maxSteps > 1) timerCounter = 0;
            break;
        }
    }
    if (steps > 0 || how.drawEveryPass) screen.draw();
    return running;
}

void runPaced(pacedScreen& screen, const pacing& how) {
    while (pacedPass(screen, how, allegroRest)) {
    }
}
