// The script variables the mission itself reads or writes, by index.
#pragma once

enum missionVariable {
    MV_ENEMYDEAD = 0,
    MV_MAXLIFE = 6,
    MV_MAXARMOR = 7,
    MV_ENEMIESLEFT = 13,
    MV_OBJECTIVE1 = 18,
    MV_W1AMMO = 23,
    MV_LIFE = 28,
    MV_ARMOR = 29,
    MV_HEALREFILLS = 30,
    MV_AMMOREFILLS = 31,
    MV_ACTIVEOBJECTIVE = 33,
    MV_PISTOLOFF = 34
};

// Weapons 1 to 5 keep their ammunition in W1AMMO onwards.
constexpr int AMMO_WEAPONS = 5;
