// Bullets, weapon icons and the heads-up display pictures of a mission.
#pragma once
#include "catalogue.h"

void makeBullets(Catalogue& catalogue);
void makeWeaponIcons(Catalogue& catalogue);
void makeHud(Catalogue& catalogue);
