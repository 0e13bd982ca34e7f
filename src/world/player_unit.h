// The figure the user steers: it faces the pointer, walks and strafes with
// the bound keys relative to its facing, cycles through weapons 0 to 5 and
// fires. Life, armour and ammunition live in mission variables (the script
// machine's), reached through four pointers.
#pragma once

#include <functional>

#include "world/unit.h"
#include "world/weapons.h"

// What the pointer does in this tick: its screen position, its buttons and
// the wheel.
struct pointerInput {
    int x = 0;
    int y = 0;
    bool leftDown = false;
    bool rightDown = false;
    bool wheelUp = false;
    bool wheelDown = false;
};

// The live mouse: Allegro's position and buttons, the wheel of this tick.
pointerInput livePointer();

// Ammunition left of weapon 0 while the pistol is allowed.
constexpr int PISTOL_AMMO = 999;

class playerUnit : public Unit {
public:
    int* ammoPtr = nullptr;     // counter w - 1 belongs to weapon w (1 to 5)
    int* lifePtr = nullptr;
    int* armorPtr = nullptr;
    int* noPistolPtr = nullptr; // non-zero: weapon 0 may not be used
    // Where the pointer input comes from; tests hand in their own.
    std::function<pointerInput()> pointer = livePointer;

    playerUnit() { weapon = 0; }

    void addressInit(int* ammo, int* life, int* armor, int* noPistol);
    void load(float speed, int maxLife, int maxArmor, int armorType, std::string file);

    int* getLife() { return lifePtr; }
    int* getArmor() { return armorPtr; }
    // The counter of the current weapon; none for the pistol.
    int* getAmmo() { return weapon >= 1 && weapon < PLAYER_WEAPONS ? ammoPtr + weapon - 1 : nullptr; }
    int getAmmoleft() const;
    bool isPistolAllowed() const { return *noPistolPtr == 0; }
    int getCurWeapon() const { return weapon; }

    bool isAlife();
    int getLifePercentage();
    int getArmorPercentage();
    void getHit(int weapon);

    moveRequest* getMoveRequest(int camX, int camY) override;
    bulletRequest* getBulletRequest() override;
    void draw(int camX, int camY) override;

private:
    int ammoOf(int w) const;
    bool mayUse(int w) const { return w == 0 ? isPistolAllowed() : ammoOf(w) != 0; }
    void selectWeapon(int step);
    void drawAimingLine(int camX, int camY, int dir, double length);
};
