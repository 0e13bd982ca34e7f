// The client's stand-alone loop (started from the menu): time-outs, the end
// countdowns after which the game returns to the menu, and double-Esc.
#include <allegro.h>

#include <algorithm>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"
#include "net/client_game.h"
#include "net/mp_display.h"
#include "ui/message.h"

void clientMultiplayerGame::operator()() {
    setMessageClass(nullptr);
    log("Beginning to connect...");
    escWindow = 0;
    drawDelay = 8;
    endCountdown = 0;
    running = true;
    pacing how;
    how.maxSteps = std::max(1, static_cast<int>(global.maxFrameSkip));
    runPaced(*this, how);
}

// Starts the countdown to the end and drops the tick backlog (the pacer
// takes this tick off after the step).
void clientMultiplayerGame::endIn(int ticks) {
    endCountdown = ticks;
    if (timerCounter > 1) timerCounter = 1;
}

bool clientMultiplayerGame::step() {
    if (endCountdown == 0) {
        exeLogic();
        if (!connected && silentTicks > CONNECT_TIMEOUT_TICKS) {
            log("Connection attempt timed out!");
            endIn(TIMEOUT_END_TICKS);
        } else if (connected && silentTicks > SILENCE_LIMIT) {
            log("Lost connection to server!");
            endIn(TIMEOUT_END_TICKS);
        } else if (quitRequested) {
            connected = false;
            endCountdown = REFUSAL_END_TICKS;
        }
    }
    if (keyStates[KEY_ESC]) {
        if (escWindow == 0)
            escWindow = CLIENT_ESC_WINDOW_TICKS;
        else
            running = false;
    } else if (escWindow > 0) {
        --escWindow;
    }
    if (endCountdown > 0 && --endCountdown == 0) running = false;
    if (drawDelay > 0) --drawDelay;
    if (!running) sendExitPacket();
    return running;
}

void clientMultiplayerGame::draw() {
    if (drawDelay > 0) return;
    clear_bitmap(global.buffer);
    exeGraphic();
    showStatistics();
    if (escWindow > 0) centredNotice("Press esc again to quit.", 20);
    if (global.vsync) vsync();
    show(false, nullptr);
}
