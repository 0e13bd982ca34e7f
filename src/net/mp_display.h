// Screen services that the multiplayer server and client share.
#pragma once

// Asks Allegro to keep the game running while its window has no focus, so
// that a server or client in the background keeps serving the network.
// Without a window (Allegro started with no system driver) there is no
// focus to lose and nothing is asked. A refusal ends the program.
void keepRunningInBackground();

// Draws text centred on the back buffer at y, in white, in the menu font.
void centredNotice(const char* text, int y);

// True while the key bound to the binding slot is down.
bool keyHeld(int slot);
