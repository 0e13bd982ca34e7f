// Two made-up game frames at 800 x 600 (outdoors and indoors) built from
// the generated tiles, sprites and heads-up pictures, for the contact
// sheet only: they show whether the pieces look like one game.
#pragma once
#include "catalogue.h"

void recordPreviews(Catalogue& catalogue);
