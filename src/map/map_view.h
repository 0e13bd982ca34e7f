// The part of a map that a screen of the back buffer's size shows.
#pragma once

#include "app/constants.h"

struct mapView {
    int left;    // map position of the top-left screen pixel
    int top;
    int width;   // screen size
    int height;
};

// The screen size: the back buffer's, or the screen's before one exists.
void screenSize(int& width, int& height);

// Centres the view on (x, y), limited to at most the largest view centre
// and then to at least half the screen, so a map smaller than the screen
// is shown from its top-left corner.
mapView centreView(int x, int y, int largestX, int largestY);

// Calls draw(column, row, screenX, screenY) for every tile of a map of
// width x height tiles that the view shows.
template <typename drawTile>
void forVisibleTiles(const mapView& view, int width, int height, drawTile draw) {
    for (int row = view.top / TILESIZE; row < height && row * TILESIZE < view.top + view.height; ++row)
        for (int column = view.left / TILESIZE; column < width && column * TILESIZE < view.left + view.width;
             ++column)
            draw(column, row, column * TILESIZE - view.left, row * TILESIZE - view.top);
}
