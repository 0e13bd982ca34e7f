#include "app/helpers.h"

#include <allegro.h>

#include <cstdio>
#include <vector>

#include "app/errors.h"
#include "app/globals.h"
#include "app/input.h"

std::atomic<int> timerCounter{0};

void timerCounterUpdater() {
    timerCounter++;
    mouseCallback(0);
}
END_OF_FUNCTION(timerCounterUpdater)

BITMAP* createBitmap(int w, int h) {
    BITMAP* bmp = global.videoBitmaps ? create_video_bitmap(w, h) : create_bitmap(w, h);
    if (!bmp) errors::createError();
    return bmp;
}

BITMAP* createDatafileBitmap(DATAFILE* data, int index) {
    BITMAP* source = static_cast<BITMAP*>(data[index].dat);
    BITMAP* copy = createBitmap(source->w, source->h);
    blit(source, copy, 0, 0, 0, 0, source->w, source->h);
    return copy;
}

BITMAP* loadBitmap(std::string name) {
    BITMAP* loaded = load_bitmap(name.c_str(), nullptr);
    if (!loaded) errors::loadBitError(name);
    if (!global.videoBitmaps) return loaded;
    BITMAP* video = create_video_bitmap(loaded->w, loaded->h);
    if (!video) errors::createError();
    blit(loaded, video, 0, 0, 0, 0, loaded->w, loaded->h);
    destroy_bitmap(loaded);
    return video;
}

bool fileSelect(std::string title, std::string& path, std::string extensions, int w, int h) {
    constexpr int PATH_BUFFER = 1024;
    std::vector<char> buffer(PATH_BUFFER, '\0');
    path.copy(buffer.data(), PATH_BUFFER - 1);
    if (!file_select_ex(title.c_str(), buffer.data(), extensions.c_str(), PATH_BUFFER, w, h)) return false;
    path = buffer.data();
    return true;
}

bool fileExists(std::string name) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

std::string i2str(int n, int width) {
    std::string digits = std::to_string(n);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string getSavegamePath(int slot) { return "save/slot" + i2str(slot, 0) + ".sav"; }

std::string screenshotPath(int number) { return "screenshots/screenshot" + i2str(number, 5) + ".bmp"; }

void show(bool withMouse, BITMAP* bmp) {
    if (!bmp) {
        bmp = global.buffer;
        if (keyStates[KEY_F9]) {
            save_bitmap(screenshotPath(global.screenshotNumber).c_str(), bmp, nullptr);
            global.screenshotNumber++;
        }
    }
    if (withMouse) drawMouse();
    if (global.vsync) vsync();
    blit(bmp, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}
