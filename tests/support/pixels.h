// Looks for colours on a drawn picture.
#pragma once

#include <allegro.h>

// True when some pixel of the w x h area at (x0, y0) has the colour.
inline bool holdsColour(BITMAP* b, int x0, int y0, int w, int h, int colour) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (getpixel(b, x, y) == colour) return true;
    return false;
}
