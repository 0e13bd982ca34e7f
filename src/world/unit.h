// Units: an Entity with life, armour, speed, a weapon, six sprites and a few
// behaviour values. A unit type is a template Unit that loads its sprites
// from a unit datafile; placed units copy their type with basetypeGet and
// share its sprites.
//
// Unit datafile items (Allegro datafile, in file order):
//   0 to 5  bitmaps, the sprites of states 0 to 5
//   6       data; its first byte, a signed 8-bit number, is the radius
#pragma once

#include <string>

#include "world/entity.h"

struct BITMAP;
struct DATAFILE;

// Sprite states.
enum unitState { STATE_STANDING, STATE_AIMING, STATE_SHOOTING, STATE_WALKING, STATE_WALKING_SHOOTING, STATE_DEAD };
constexpr int UNIT_SPRITES = 6;
constexpr int UNIT_DATAFILE_ITEMS = 7;
// Most turning steps (256ths of a turn) a unit makes per logic step.
constexpr int TURN_STEPS = 5;

// +1 or -1: the shorter way from `direction` towards `target` (both 0 to 255).
int turnStep(int direction, int target);
// Turns `direction` the shorter way towards `target`, at most TURN_STEPS
// steps; returns the step taken.
int turnTowards(int& direction, int target);

class Unit : public Entity {
public:
    int maxLife = 0;
    int life = 0;
    int maxArmor = 0;
    int armor = 0;
    int armorType = 0;  // 0 none, 1 light, 2 heavy
    float speed = 0;
    BITMAP* sprites[UNIT_SPRITES] = {};
    bool ownsSprites = true;
    int walkCounter = 0;     // 0 to 15
    int corpseCounter = 0;   // life time or blood-pool size of a dead unit
    bool civilian = false;
    int targetDirection = 0;
    int triggerDist = 0;     // negative: notices the player only when on screen
    int shootFreq = 0;       // shots per burst, 0 no pause
    int cooldown = 0;
    int weapon = 0;

    Unit() = default;
    // Virtual so that the game may keep and free units of all classes
    // through Unit pointers.
    virtual ~Unit();
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;

    virtual moveRequest* getMoveRequest(int, int);
    virtual bulletRequest* getBulletRequest();
    virtual void draw(int camX, int camY);

    void load(float speed, int maxLife, int maxArmor, int armorType, std::string file, int triggerDist, int weapon,
              int shootFreq);
    // Takes the sprites (copied) and the radius from a loaded unit datafile;
    // false, with nothing changed, when the datafile lacks an item.
    bool loadSprites(const DATAFILE* data);
    void basetypeGet(Unit& type);
    // The facing is kept as 0 to 255 (its value modulo 256).
    void initialise(float x, float y, int direction, int aiState);
    void takeRequests(moveRequest* move, bulletRequest* bullets);

    void getHit(int weapon);
    bool isAlife() const { return life != 0; }
    bool isEnemy() const { return !civilian; }
    int getLifePercentage() const;
    int getArmorPercentage() const;

    void setState(int s) { state = s; }
    float getSpeed() const { return speed; }
    int getMaxlife() const { return maxLife; }
    int getMaxarmor() const { return maxArmor; }
    int getArmortype() const { return armorType; }
    int getTriggerDist() const { return triggerDist; }
    int getWeapon() const { return weapon; }
    int getShootFreq() const { return shootFreq; }
    BITMAP* getSpriteAddress(int s) const;

protected:
    void releaseSprites();
};

class Civilian : public Unit {
public:
    Civilian() { civilian = true; }
};

// A unit placed in the editor; its state selects its look there.
class edUnit : public Unit {
public:
    int type = 0;  // the map's unit type number
    void setType(int t) { type = t; }
};
