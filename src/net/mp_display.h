// Screen services that the multiplayer server and client share.
#pragma once

// Asks Allegro to keep the game running while its window has no focus, so
// that a server or client in the background keeps serving the network.
// Without a window (Allegro started with no system driver) there is no
// focus to lose and nothing is asked. A refusal ends the program.
void keepRunningInBackground();

class messageClass;

constexpr int HOSTED_LOG_LINES = 7;      // lines a game view shows
constexpr int DEDICATED_LOG_LINES = 32;  // lines a dedicated server shows

// A game log of 32 lines kept, drawn into the back buffer 3 pixels from
// the left. Without fonts (no display) Allegro's own font gives it a line
// height all the same.
messageClass* newMultiplayerLog(int visibleLines);

// Draws text centred on the back buffer at y, in white, in the menu font.
void centredNotice(const char* text, int y);

// True while the key bound to the binding slot is down.
bool keyHeld(int slot);
