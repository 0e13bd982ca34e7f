// The program's modes as the command line chooses them.
#pragma once

// Runs the mode named by the command line; returns the process status.
int runProgram(int argc, char** argv);

// The screen shown while the game has no menus: the loading text until Esc
// is pressed (F9 takes screenshots). One call is one frame.
bool loadingScreenFrame();
