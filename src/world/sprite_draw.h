// Draws a sprite rotated about its centre, as Allegro's rotate_sprite and
// rotate_sprite_v_flip do, for any screen position and angle: those inline
// functions shift negative coordinates left, which C++ leaves undefined.
#pragma once

struct BITMAP;

// Top-left corner (x, y) of the unrotated sprite; angle in 256ths of a
// turn, clockwise; vflip mirrors the sprite top to bottom before turning.
void drawRotatedSprite(BITMAP* target, BITMAP* sprite, int x, int y, int angle, bool vflip);
