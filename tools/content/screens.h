// Full screens and buttons: the mission description background, the menu
// and in-game buttons, the Continue and Save buttons and the campaign
// picture.
#pragma once
#include "catalogue.h"

void makeMissionScreen(Catalogue& catalogue);
void makeButtons(Catalogue& catalogue);
void makeCampaignPicture(Catalogue& catalogue);
