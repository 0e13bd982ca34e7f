#include "app/errors.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The message box needs a windowing system; without one (the tool modes,
// headless tests) the text on standard error is the whole report.
bool canShowMessageBox() {
    return system_driver != nullptr && system_driver->id != SYSTEM_NONE;
}

void showText(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (canShowMessageBox()) allegro_message("%s", text.c_str());
}

[[noreturn]] void fail(const std::string& text) {
    if (canShowMessageBox()) set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    showText(text);
    std::exit(0);
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

namespace errors {

void timerError() { fail("Error001: Timer could not be initialised"); }
void keyboardError() { fail("Error002: No keyboarddriver found"); }
void soundDriverError() { fail("Error003: Sound driver could not be initialised"); }
void graphicModeError() { fail("Error004: Graphic mode couldn't be set"); }
void createError() { fail("Error005: Creating bitmap failed"); }
void loadBitError(std::string name) { fail("Error006: Loading bitmap " + quoted(name) + " failed"); }
void datafileError(std::string name) { fail("Error007: Loading datafile " + quoted(name) + " failed"); }
void sampleLoadError(std::string name) { fail("Error008: Loading sample " + quoted(name) + " failed"); }

void divBy0Error(std::string module) {
    showText("Error009: A division by 0 error was prevented in the following modul:\n" + quoted(module));
}

void mapLoadError(std::string map, std::string reason) {
    fail("Error010: Could not load map " + quoted(map) + " for the following reason:\n" + reason);
}
void tilesetLoadError(std::string tileset, std::string reason) {
    fail("Error011: Could not load tileset " + quoted(tileset) + " for the following reason:\n" + reason);
}
void scriptError(std::string text) { fail("Error012: Script error:\n" + text); }
void editorError(std::string text) { fail("Error013: Editor error:\n" + text); }
void networkError(std::string text) { fail("Error014: Network error:\n" + text); }
void multiplayerError(std::string text) { fail("Error015: Multiplayer mode error:\n" + text); }
void mouseError() { fail("Error016: Failed to initialise mouse"); }
void fatalError(std::string text) { fail(text); }

}  // namespace errors
