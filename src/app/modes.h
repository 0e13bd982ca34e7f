// The program's modes as the command line chooses them. This is the one
// place of the application frame that reaches the menus, the game and
// multiplayer; each mode is one entry call.
#pragma once

// Runs the mode named by the command line; returns the process status.
int runProgram(int argc, char** argv);
