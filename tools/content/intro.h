// "data/intro.dat": item 0 the full-screen background, item 1 the logo
// (masked, stretched as it grows), item 2 the sample played as the title
// builds up, item 3 the small picture for the bottom-left corner.
#pragma once
#include "catalogue.h"

void makeIntro(Catalogue& catalogue);
