#include "world/enemy.h"

#include <allegro.h>

#include <cmath>

#include "app/constants.h"
#include "app/globals.h"
#include "world/weapons.h"

namespace {

constexpr double BACK_OFF_FACTOR = -0.75;
constexpr int WALK_CYCLE = 16;
// The facing must lie strictly within this of the target facing to fire.
constexpr int AIM_WINDOW = 4;
// A burst is followed by a pause of this many times the weapon's rate.
constexpr int BURST_PAUSE_RATES = 4;
// Steps around the moment of firing in which a standing enemy aims.
constexpr int AIM_POSE_STEPS = 8;

}  // namespace

moveRequest* Enemy::getMoveRequest(int targetX, int targetY) {
    const double ddx = targetX - posX;
    const double ddy = targetY - posY;
    const int distance = static_cast<int>(std::sqrt(ddx * ddx + ddy * ddy));
    const bool hasTarget = !(targetX < 0 && targetY < 0);
    const bool notices = triggerDist >= 0 ? distance < triggerDist : onScreen;
    if (!hasTarget || !notices) {
        state = STATE_STANDING;
        AIState = 0;
        return nullptr;
    }

    AIState = 2;
    const double a = std::atan2(static_cast<double>(targetX - getPosX()), static_cast<double>(targetY - getPosY()));
    targetDirection = (128 - static_cast<int>(std::trunc(a * 128 / PI))) & 255;
    turnStep = turnTowards(direction, targetDirection);

    const int range = realRange[weapon];
    moveRequest* request = nullptr;
    if (distance > range - STAND_OFF || distance < STAND_OFF || weapon == 3 || !onScreen) {
        const double length = distance < STAND_OFF ? BACK_OFF_FACTOR * speed : speed;
        const facingOffset o = offsetAt(length, direction);
        request = new moveRequest;
        request->set(posX, posY, static_cast<float>(posX + o.dx), static_cast<float>(posY + o.dy), 0, 1, radius);
        state = STATE_WALKING;
        walkCounter = (walkCounter + 1) % WALK_CYCLE;
    } else {
        state = STATE_STANDING;
    }
    if (distance > range) AIState = 0;
    return request;
}

bulletRequest* Enemy::getBulletRequest() {
    if (cooldown > 0) cooldown--;
    if (AIState != 2 || !(onScreen || weapon == 3)) return nullptr;

    if (cooldown == 0 && direction > targetDirection - AIM_WINDOW && direction < targetDirection + AIM_WINDOW) {
        bulletRequest* request = new bulletRequest;
        request->set(posX, posY, direction, weapon, this);
        cooldown += RATE[weapon];
        if (state == STATE_WALKING) state = STATE_WALKING_SHOOTING;
        else if (state == STATE_STANDING) state = STATE_SHOOTING;
        if (shootFreq != 0 && ++burstCount == shootFreq) {
            burstCount = 0;
            cooldown += BURST_PAUSE_RATES * RATE[weapon];
        }
        return request;
    }
    if (state == STATE_STANDING && (cooldown < AIM_POSE_STEPS || cooldown > RATE[weapon] - AIM_POSE_STEPS))
        state = STATE_AIMING;
    return nullptr;
}

void Enemy::draw(int camX, int camY) {
    Unit::draw(camX, camY);
    const BITMAP* sprite = getSpriteAddress(state);
    if (!sprite || !global.buffer) return;
    const int sx = getPosX() - camX;
    const int sy = getPosY() - camY;
    const int hw = sprite->w / 2;
    const int hh = sprite->h / 2;
    // The back buffer has the screen's size.
    onScreen = -hw < sx && sx < global.buffer->w + hw && -hh < sy && sy < global.buffer->h + hh;
}
