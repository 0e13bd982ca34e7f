// Bringing up Allegro's services and the display for the windowed modes.
#pragma once

void init();
void setMode(char& mode);

// Starts a fresh copy of the executable at path (detached from this
// process) so that changed display settings take effect. False when it
// could not be started.
bool relaunch(const char* path);
