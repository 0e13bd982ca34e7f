// The game's fixed pool of bullets and the rules that fill and fly it:
// turning a bulletRequest into bullets (spread and fan), explosions into
// splinters all round, and one flight step of every bullet. The
// single-player game and the multiplayer server both run these.
#pragma once

#include <functional>
#include <vector>

#include "world/bullet.h"

constexpr int BULLET_POOL_SIZE = 1024;

// Plays the sound of one bullet of a shot, or of one explosion; the game
// chooses volume and pan from the request's position and type.
using shotSoundPlayer = std::function<void(const bulletRequest&)>;
// The weapon's sound at the effects volume, centred, at normal speed.
void playShotSound(const bulletRequest& request);

// Judges a bullet's move request (map, then units) before it goes back.
using bulletJudge = std::function<void(moveRequest* request, const bullet& mover)>;

// Direction of bullet k of a shot: the request's direction with a random
// deviation below SPREAD for single bullets (std::rand), or its place in
// the fan for several.
int shotDirection(const bulletRequest& request, int k);

class bulletPool {
public:
    std::vector<bullet> slots;

    bulletPool() : slots(BULLET_POOL_SIZE) {}

    // Starts the bullets of one shot; the sound plays once per bullet, also
    // when the pool is full and the bullet is dropped.
    void addBullets(const bulletRequest& request, const shotSoundPlayer& sound);
    // Splinters of the request's type (the splinter weapon) all round its
    // position, without a shooter.
    void explosion(const bulletRequest& request, const shotSoundPlayer& sound);
    // One logic step of every active bullet, in slot order: its move is
    // judged and handed back; a bullet that bursts sets off its explosion
    // where it stopped.
    void fly(const bulletJudge& judge, const shotSoundPlayer& sound);
    void draw(int camX, int camY);

private:
    // The next inactive slot from `from` on, or -1 when the pool is full.
    int freeSlot(int from);
    // A search found every slot taken. Slots are only freed by fly, so the
    // other shots of the step need not search again.
    bool full = false;
};
