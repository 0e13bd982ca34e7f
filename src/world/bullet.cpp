#include "world/bullet.h"

#include <allegro.h>

#include <cstdint>
#include <string>

#include "app/globals.h"
#include "app/helpers.h"
#include "world/sprite_draw.h"

BITMAP* bulletSprites[WEAPON_COUNT] = {};
Sound bulletSounds[WEAPON_COUNT];

namespace {

// Passage level of bullets; weapon 4's bullets pass one level more.
constexpr int BULLET_RIGHTS = 2;
constexpr int HEAVY_BULLET = 4;

}  // namespace

bullet::bullet() {
    for (int i = 0; i < WEAPON_COUNT; i++) {
        if (!bulletSprites[i]) bulletSprites[i] = loadBitmap("gfx/bullet" + std::to_string(i) + ".tga");
        if (!bulletSounds[i].isActive()) bulletSounds[i].load("sfx/weapon" + std::to_string(i) + ".wav", false);
    }
}

bullet::~bullet() {
    for (Sound& sound : bulletSounds) sound.destroy();
}

void bullet::init(int type_, int dir, float x, float y, void* team_, bool) {
    active = true;
    posX = x;
    posY = y;
    type = type_;
    direction = dir;
    age = 0;
    team = team_;
}

moveRequest* bullet::update() {
    if (!active) return nullptr;
    const facingOffset o = offsetAt(SPEED[type], direction);
    moveRequest* request = new moveRequest;
    request->set(posX, posY, static_cast<float>(posX + o.dx), static_cast<float>(posY + o.dy),
                 SPLINTS[type] ? SCRIPT_EXPLODE : 0, type == HEAVY_BULLET ? BULLET_RIGHTS + 1 : BULLET_RIGHTS,
                 bulletSprites[type]->h / 2);
    if (++age >= RANGE[type]) active = false;
    return request;
}

bool bullet::returnRequest(moveRequest* request) {
    if (!request) return true;
    if (request->wasDeclined()) {
        active = false;
    } else {
        posX = request->newPosX;
        posY = request->newPosY;
    }
    if (!active && SPLINTS[type]) return false;
    delete request;
    return true;
}

void bullet::draw(int camX, int camY) {
    if (!active) return;
    BITMAP* sprite = bulletSprites[type];
    drawRotatedSprite(global.buffer, sprite, getPosX() - camX - sprite->w / 2, getPosY() - camY - sprite->h / 2,
                      direction, false);
}

int bullet::getTeam() const {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(team));
}
