#include "world/bullet_pool.h"

#include <cstdlib>

#include "app/globals.h"

namespace {

constexpr int CENTRE_PAN = 127;
constexpr int NORMAL_FREQUENCY = 1000;
constexpr int FULL_TURN = 256;

}  // namespace

void playShotSound(const bulletRequest& request) {
    bulletSounds[request.type].play(0, global.sfxVolume, CENTRE_PAN, NORMAL_FREQUENCY);
}

int shotDirection(const bulletRequest& request, int k) {
    const int type = request.type;
    if (!isWeapon(type)) return request.dir;
    if (BULLETS[type] > 1) return request.dir - SPREAD[type] - 2 + (2 * SPREAD[type] / BULLETS[type]) * (k + 1);
    if (SPREAD[type] == 0) return request.dir;
    const int r = std::rand();
    const int deviation = r % SPREAD[type];
    return r & 1 ? request.dir - deviation : request.dir + deviation;
}

int bulletPool::freeSlot(int from) {
    if (full) return -1;
    for (int i = from; i < static_cast<int>(slots.size()); i++)
        if (!slots[i].active) return i;
    if (from == 0) full = true;
    return -1;
}

void bulletPool::addBullets(const bulletRequest& request, const shotSoundPlayer& sound) {
    if (!isWeapon(request.type)) return;
    int slot = 0;
    for (int k = 0; k < BULLETS[request.type]; k++) {
        sound(request);
        if (slot >= 0) slot = freeSlot(slot);
        if (slot < 0) continue;
        slots[slot].init(request.type, shotDirection(request, k), request.posX, request.posY, request.team, true);
    }
}

void bulletPool::explosion(const bulletRequest& request, const shotSoundPlayer& sound) {
    const int burst = request.type - SPLINTER_OFFSET;
    if (!isWeapon(request.type) || !isWeapon(burst) || SPLINTS[burst] <= 0) return;
    sound(request);
    int slot = 0;
    for (int d = 0; d < FULL_TURN; d += SPLINTS[burst]) {
        slot = freeSlot(slot);
        if (slot < 0) return;
        slots[slot].init(request.type, d, request.posX, request.posY, nullptr, false);
    }
}

void bulletPool::fly(const bulletJudge& judge, const shotSoundPlayer& sound) {
    for (bullet& b : slots) {
        if (!b.active) continue;
        moveRequest* request = b.update();
        judge(request, b);
        const bool burst = !b.returnRequest(request);
        if (!b.active) full = false;
        if (!burst) continue;
        bulletRequest splinters;
        const bool declined = request->wasDeclined();
        splinters.set(declined ? request->oldPosX : request->newPosX, declined ? request->oldPosY : request->newPosY,
                      0, b.type + SPLINTER_OFFSET, nullptr);
        delete request;
        explosion(splinters, sound);
    }
}

void bulletPool::draw(int camX, int camY) {
    for (bullet& b : slots) b.draw(camX, camY);
}
