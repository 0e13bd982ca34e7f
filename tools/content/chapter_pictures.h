// Pictures of the campaign texts that open the later chapters:
// "gfx/chapter2.tga" and "gfx/epilogue.tga", 270 x 230 like
// "gfx/campaign.tga".
#pragma once
#include "catalogue.h"

void makeChapterPictures(Catalogue& catalogue);
