// A hostile unit: notices the player by distance or by being on screen,
// turns towards the player, keeps a stand-off distance inside its weapon's
// flight distance and fires in bursts when it faces the player.
#pragma once

#include "world/unit.h"

// Closer than this an enemy backs away; it also stops this far short of
// its weapon's flight distance.
constexpr int STAND_OFF = 150;

class Enemy : public Unit {
public:
    int turnStep = 0;    // +1 or -1, the way of the last turn
    int burstCount = 0;  // shots of the current burst
    bool onScreen = false;

    // The target is the player's position in whole map pixels; both
    // coordinates negative: no target.
    moveRequest* getMoveRequest(int targetX, int targetY) override;
    bulletRequest* getBulletRequest() override;
    void draw(int camX, int camY) override;
};
