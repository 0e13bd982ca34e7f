// A bullet flies straight at its weapon's speed for its weapon's number of
// steps, asking the map for every step like a unit does. Weapons with
// splinters burst when their bullet stops.
#pragma once

#include "ui/sound.h"
#include "world/entity.h"
#include "world/weapons.h"

struct BITMAP;

// Shared by all bullets: "gfx/bulletN.tga" and "sfx/weaponN.wav" for each
// weapon N. The first bullet constructed loads what is missing; the sprites
// stay loaded, the sounds go with the first bullet destroyed.
extern BITMAP* bulletSprites[WEAPON_COUNT];
extern Sound bulletSounds[WEAPON_COUNT];

class bullet : public Entity {
public:
    int type = -1;  // weapon number
    int age = 0;    // steps flown
    bool active = false;
    void* team = nullptr;  // the shooter; none for splinters

    bullet();
    ~bullet();
    bullet(const bullet&) = delete;
    bullet& operator=(const bullet&) = delete;

    void init(int type, int dir, float x, float y, void* team, bool);
    moveRequest* update();
    // Takes the judged request back. False: the bullet burst; the caller
    // sets off the explosion and frees the request.
    bool returnRequest(moveRequest* request);
    void draw(int camX, int camY);

    bool isActive() const { return active; }
    int getType() const { return type; }
    int getTeam() const;
};
