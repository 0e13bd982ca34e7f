#include "map/map_preview.h"

#include <allegro.h>

#include <algorithm>

#include "app/constants.h"
#include "app/helpers.h"

int previewTileSize(int maxWidth, int maxHeight, int width, int height) {
    return std::max(1, std::min(maxWidth / width, maxHeight / height));
}

BITMAP* drawMapPreview(BITMAP* strip, int tilesetCount, const char* tiles, int width, int height, int size) {
    BITMAP* scaled = createBitmap(tilesetCount * size, size);
    stretch_blit(strip, scaled, 0, 0, tilesetCount * TILESIZE, TILESIZE, 0, 0, tilesetCount * size, size);
    BITMAP* preview = createBitmap(width * size, height * size);
    clear_bitmap(preview);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const unsigned char t = static_cast<unsigned char>(tiles[row * width + column]);
            if (t < tilesetCount) blit(scaled, preview, t * size, 0, column * size, row * size, size, size);
        }
    destroy_bitmap(scaled);
    return preview;
}
