#include "world/sprite_draw.h"

#include <allegro.h>

#include <algorithm>

namespace {

constexpr int FIX_ONE = 0x10000;  // 1.0 in Allegro's 16.16 fixed point

}  // namespace

void drawRotatedSprite(BITMAP* target, BITMAP* sprite, int x, int y, int angle, bool vflip) {
    // A turned sprite stays within its larger side of its centre; anything
    // farther out can't touch the target (and would overflow fixed point).
    const int reach = std::max(sprite->w, sprite->h);
    if (x + sprite->w + reach < 0 || y + sprite->h + reach < 0 || x - reach > target->w || y - reach > target->h)
        return;
    const fixed centreX = x * FIX_ONE + sprite->w * FIX_ONE / 2;
    const fixed centreY = y * FIX_ONE + sprite->h * FIX_ONE / 2;
    target->vtable->pivot_scaled_sprite_flip(target, sprite, centreX, centreY, sprite->w * FIX_ONE / 2,
                                              sprite->h * FIX_ONE / 2, (angle & 255) * FIX_ONE, FIX_ONE, vflip);
}
