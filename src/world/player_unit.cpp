#include "world/player_unit.h"

#include <allegro.h>

#include <cmath>

#include "app/constants.h"
#include "app/globals.h"
#include "app/input.h"
#include "world/weapons.h"

namespace {

// Facing offsets of the strafe directions, 256ths of a turn.
constexpr int QUARTER_TURN = 64;
// Strafing and diagonal walking use fractions of the speed.
constexpr double STRAFE_FACTOR = 0.5;
constexpr double DIAGONAL_FACTOR = 0.75;
constexpr double BACKWARD_FACTOR = -0.75;
constexpr int WALK_CYCLE = 16;

// The key bound to a slot is held now. Bindings outside the key codes are
// never held.
bool held(int slot) {
    const int code = global.keys[slot];
    return isKeyCode(code) && key[code];
}

// The key bound to a slot was pressed since it was last seen up.
bool pressed(int slot) {
    const int code = global.keys[slot];
    return isKeyCode(code) && keyStates[code];
}

}  // namespace

pointerInput livePointer() {
    pointerInput in;
    in.x = mouse_x;
    in.y = mouse_y;
    in.leftDown = mouse_b & 1;
    in.rightDown = mouse_b & 2;
    in.wheelUp = wheelUpEvent();
    in.wheelDown = wheelDownEvent();
    return in;
}

void playerUnit::addressInit(int* ammo, int* life_, int* armor_, int* noPistol) {
    ammoPtr = ammo;
    lifePtr = life_;
    armorPtr = armor_;
    noPistolPtr = noPistol;
}

void playerUnit::load(float speed_, int maxLife_, int maxArmor_, int armorType_, std::string file) {
    Unit::load(speed_, maxLife_, maxArmor_, armorType_, file, 0, 0, 0);
    *lifePtr = maxLife;
    *armorPtr = maxArmor;
}

int playerUnit::ammoOf(int w) const {
    if (w == 0) return isPistolAllowed() ? PISTOL_AMMO : 0;
    if (w < 1 || w >= PLAYER_WEAPONS) return 0;
    return ammoPtr[w - 1];
}

int playerUnit::getAmmoleft() const { return ammoOf(weapon); }

bool playerUnit::isAlife() {
    life = *lifePtr;
    return Unit::isAlife();
}

int playerUnit::getLifePercentage() {
    life = *lifePtr;
    return Unit::getLifePercentage();
}

int playerUnit::getArmorPercentage() {
    armor = *armorPtr;
    return Unit::getArmorPercentage();
}

void playerUnit::getHit(int w) {
    life = *lifePtr;
    armor = *armorPtr;
    Unit::getHit(w);
    *lifePtr = life;
    *armorPtr = armor;
}

moveRequest* playerUnit::getMoveRequest(int camX, int camY) {
    const pointerInput in = pointer();
    const double a = std::atan2(static_cast<double>(getPosX() - (in.x + camX)),
                                static_cast<double>(getPosY() - (in.y + camY)));
    const int target = static_cast<int>(-std::trunc(a * 128 / PI)) & 255;
    turnTowards(direction, target);

    const bool forward = held(SLOT_FORWARD);
    const bool backward = held(SLOT_BACKWARD);
    const bool left = held(SLOT_STRAFE_LEFT);
    const bool right = held(SLOT_STRAFE_RIGHT);
    double dx = 0;
    double dy = 0;
    if (right) {
        const facingOffset o = offsetAt(STRAFE_FACTOR * speed, direction + QUARTER_TURN);
        dx += o.dx;
        dy += o.dy;
    }
    if (left) {
        const facingOffset o = offsetAt(STRAFE_FACTOR * speed, direction - QUARTER_TURN);
        dx += o.dx;
        dy += o.dy;
    }
    if (forward || backward) {
        double length = left == right ? speed : DIAGONAL_FACTOR * speed;
        if (backward) length *= BACKWARD_FACTOR;
        const facingOffset o = offsetAt(length, direction);
        dx += o.dx;
        dy += o.dy;
        state = STATE_WALKING;
        walkCounter = (walkCounter + 1) % WALK_CYCLE;
    } else {
        state = left || right ? STATE_AIMING : STATE_STANDING;
        walkCounter = 0;
    }

    const int scripts = pressed(SLOT_USE) ? SCRIPT_ENTER_LEAVE | SCRIPT_USE : SCRIPT_ENTER_LEAVE;
    moveRequest* request = new moveRequest;
    request->set(posX, posY, static_cast<float>(posX + dx), static_cast<float>(posY + dy), scripts, 1, radius);
    return request;
}

// Steps the weapon by `step` (wrapping through 0 to 5) until one with
// ammunition, or the pistol while it is allowed; the pistol is taken anyway
// the second time the search reaches it.
void playerUnit::selectWeapon(int step) {
    int pistolVisits = 0;
    for (;;) {
        weapon = (weapon + step + PLAYER_WEAPONS) % PLAYER_WEAPONS;
        if (weapon == 0 && (isPistolAllowed() || ++pistolVisits == 2)) return;
        if (weapon != 0 && ammoOf(weapon) != 0) return;
    }
}

bulletRequest* playerUnit::getBulletRequest() {
    const pointerInput in = pointer();
    if (pressed(SLOT_NEXT_WEAPON) || in.wheelUp || getAmmoleft() == 0) selectWeapon(1);
    if (pressed(SLOT_PREVIOUS_WEAPON) || in.wheelDown) selectWeapon(-1);
    if (cooldown > 0) cooldown--;
    if (!held(SLOT_SHOOT) && !in.leftDown) return nullptr;

    if (cooldown != 0 || !mayUse(weapon)) {
        if (state == STATE_STANDING) state = STATE_AIMING;
        return nullptr;
    }
    bulletRequest* request = new bulletRequest;
    request->set(posX, posY, direction, weapon, this);
    cooldown += RATE[weapon];
    if (weapon != 0 && --ammoPtr[weapon - 1] == 0) {
        // Out of rounds: on to the next weapon with ammunition, or the pistol.
        do weapon = (weapon + 1) % PLAYER_WEAPONS;
        while (weapon != 0 && ammoOf(weapon) == 0);
    }
    if (state == STATE_WALKING) state = STATE_WALKING_SHOOTING;
    else if (state == STATE_STANDING || state == STATE_AIMING) state = STATE_SHOOTING;
    return request;
}

void playerUnit::drawAimingLine(int camX, int camY, int dir, double length) {
    const facingOffset o = offsetAt(length, dir);
    line(global.buffer, getPosX() - camX, getPosY() - camY, static_cast<int>(posX + o.dx) - camX,
         static_cast<int>(posY + o.dy) - camY, makecol(255, 0, 0));
}

void playerUnit::draw(int camX, int camY) {
    life = *lifePtr;
    Unit::draw(camX, camY);
    if (!(held(SLOT_AIMING_HELP) || pointer().rightDown) || !Unit::isAlife()) return;
    const double length = RANGE[weapon] * SPEED[weapon];
    if (SPREAD[weapon] == 0) {
        drawAimingLine(camX, camY, direction, length);
    } else {
        drawAimingLine(camX, camY, direction - SPREAD[weapon], length);
        drawAimingLine(camX, camY, direction + SPREAD[weapon], length);
    }
}
