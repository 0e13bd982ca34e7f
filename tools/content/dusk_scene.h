// The research base at dusk, seen from outside its fence: the backdrop of
// the menu screens and the intro.
#pragma once
#include "canvas.h"

// Paints the whole scene into an 800 x 600 canvas.
void paintDuskScene(Canvas& canvas);

// Frosted-glass panel: the region is blurred and drawn toward a mid-tone
// slate, so that both black and white labels read on it; thin amber frame.
void frostedPanel(Canvas& canvas, int x0, int y0, int x1, int y1);
