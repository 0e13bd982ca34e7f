// Where a shot is heard: shots of other units are placed in stereo around
// the player, and those behind are quieter.
#pragma once

struct shotPlacement {
    int volume;
    int pan;  // 0 left, 127 centre, 255 right
};

// The sound of a shot at (shotX, shotY) for a player at (playerX, playerY)
// facing playerDirection (256ths of a turn, 0 up, clockwise).
shotPlacement placeShotSound(float shotX, float shotY, float playerX, float playerY, int playerDirection,
                             int volume);
