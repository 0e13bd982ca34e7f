// The keys of one editor step, read once at its start: every binding slot
// and fixed key as held (down now) and pressed (a new press, reported once
// by keyStates). Reading each key's press in every step, whatever the mode,
// lets the latches see every release.
#pragma once

#include "app/globals.h"

// Fixed keys of the editor besides the bindings.
constexpr int KEY_OVERVIEW = 47;      // F1, held
constexpr int KEY_SCRIPT_TILES = 48;  // F2, held (read by the map's drawing)
constexpr int KEY_FINER_STEP = 51;    // F5
constexpr int KEY_COARSER_STEP = 52;  // F6
constexpr int KEY_QUIT = 59;          // Esc
// Undo, redo and help: no default binding and no other editor key uses them.
constexpr int KEY_UNDO = 26;  // Z
constexpr int KEY_REDO = 25;  // Y
constexpr int KEY_HELP = 8;   // H, held

struct editorKeys {
    bool held[KEY_SLOTS] = {};
    bool pressed[KEY_SLOTS] = {};
    bool finerStep = false;
    bool coarserStep = false;
    bool quit = false;
    bool undo = false;
    bool redo = false;
};

editorKeys readEditorKeys();
