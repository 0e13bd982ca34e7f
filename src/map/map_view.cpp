#include "map/map_view.h"

#include <allegro.h>

#include <algorithm>

#include "app/globals.h"

void screenSize(int& width, int& height) {
    width = global.buffer ? global.buffer->w : SCREEN_W;
    height = global.buffer ? global.buffer->h : SCREEN_H;
}

mapView centreView(int x, int y, int largestX, int largestY) {
    mapView view{0, 0, 0, 0};
    screenSize(view.width, view.height);
    const int cx = std::max(std::min(x, largestX), view.width / 2);
    const int cy = std::max(std::min(y, largestY), view.height / 2);
    view.left = cx - view.width / 2;
    view.top = cy - view.height / 2;
    return view;
}
