// Bringing up Allegro's services and the display for the windowed modes.
#pragma once

void init();
void setMode(char& mode);

// Closes the display and replaces this process with a fresh copy of the
// executable at path, in the same working directory, so that changed
// display settings take effect. Returns only when the copy could not be
// started (errno tells why).
void relaunch(const char* path);
