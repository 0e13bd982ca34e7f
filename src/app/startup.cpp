#include "app/startup.h"

#include <allegro.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "app/constants.h"
#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"

const std::string VERSIONSTRING = "Korvalt 0.6 Alpha, built Oct 13 2005";

namespace {

// Connecting to the display server, and Allegro's X11 start-up after it,
// now and then fail on a busy machine (seen with several servers starting
// at once); a few spaced tries ride that out.
bool retried(bool (*attempt)()) {
    constexpr int TRIES = 5;
    for (int i = 1; i <= TRIES; i++) {
        if (attempt()) return true;
        if (i < TRIES) usleep(200 * 1000);
    }
    return false;
}

// Allegro's X11 start-up crashes when no display is reachable, so the
// display is probed first and its absence reported like a failed mode.
bool displayReachable() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

// Without a system driver every later Allegro call would crash.
bool startAllegro() { return allegro_init() == 0; }

// Allegro's own reason goes to standard error beside the numbered text,
// for whoever has to find out why the display refused.
[[noreturn]] void displayError() {
    if (allegro_error[0]) std::fprintf(stderr, "Allegro: %s\n", allegro_error);
    errors::graphicModeError();
}

}  // namespace

void setMode(char& mode) {
    if (set_gfx_mode(mode, 800, 600, 0, 0) == 0) return;
    mode ^= 3;
    if (set_gfx_mode(mode, 800, 600, 0, 0) != 0) displayError();
}

void init() {
    if (!retried(displayReachable) || !retried(startAllegro)) displayError();
    if (install_timer() != 0) errors::timerError();
    if (install_keyboard() != 0) errors::keyboardError();
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) errors::soundDriverError();
    if (install_mouse() < 0) errors::mouseError();
    oldMouseZ = mouse_z;
    set_window_title("Korvalt - Dunmirrow");

    global.init();

    clear_bitmap(global.buffer);
    textout_centre_ex(global.buffer, global.menuFont, "Loading engine, please wait...", SCREEN_W / 2,
                      (SCREEN_H - text_height(global.menuFont)) / 2, makecol(255, 255, 255), -1);
    show(false, nullptr);

    LOCK_VARIABLE(timerCounter);
    LOCK_FUNCTION(timerCounterUpdater);
    install_int_ex(timerCounterUpdater, BPS_TO_TIMER(TIMER_FPS));
    set_uformat(U_ASCII);
    std::srand(static_cast<unsigned>(static_cast<uint32_t>(std::time(nullptr)) * 703710u));
}

void relaunch(const char* path) {
    remove_int(timerCounterUpdater);
    allegro_exit();
    // A bare name was found on the search path, so it is searched again.
    execlp(path, path, static_cast<char*>(nullptr));
}
