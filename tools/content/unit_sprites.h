// Top-down figures for the unit graphics datafiles: six state sprites
// (0 standing, 1 strafing or aiming, 2 shooting, 3 walking, 4 walking and
// shooting, 5 dead), all drawn facing up, the unit's centre in the middle.
#pragma once
#include "canvas.h"

enum class Gear { rifle, shotgun, rocketLauncher, sniperRifle, clipboard, toolbox };
enum class Headwear { helmet, visorHelmet, beret, hood, hair, hardHat };

struct Look {
    Rgb uniform;   // torso and arms
    Rgb trousers;  // legs
    Rgb head;      // helmet, beret, hood or hair colour
    Rgb skin;
    Headwear headwear;
    Gear gear;
    bool bulky;    // heavy armour: wider shoulders and pads
    int size;      // design grid; the sprite is 1.25 times larger plus a margin
};

// Paints the sprite of one state (0 to 5).
Canvas paintUnit(const Look& look, int state);
