#include "app/globals.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/constants.h"
#include "app/errors.h"
#include "app/helpers.h"
#include "app/input.h"
#include "app/network_start.h"
#include "app/startup.h"

globals global;

const char* const SETTINGS_FILE = "settings";

const int DEFAULT_KEYS[KEY_SLOTS] = {1, 4, 23, 19, 75, 119, 117, 5, 17, 115, 64, 13};

namespace {

constexpr char DEFAULT_MODE = 1;
constexpr char DEFAULT_VSYNC = 1;
constexpr signed char DEFAULT_MAX_FRAME_SKIP = 4;
constexpr unsigned char DEFAULT_SFX_VOLUME = 255;
constexpr unsigned char DEFAULT_MUSIC_VOLUME = 175;
constexpr char DEFAULT_COMPLEX_SFX = 1;

int32_t getInt32(const unsigned char* in) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; i--) v = (v << 8) | in[i];
    return static_cast<int32_t>(v);
}

void putInt32(unsigned char* out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; i++) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

bool isFlag(char v) { return v == 0 || v == 1; }

// 16 where the system can't tell (also before Allegro is started).
int desktopDepth() {
    const int depth = system_driver ? desktop_color_depth() : 0;
    return depth == 0 ? 16 : depth;
}

// The start-up datafile must hold the three fonts as items 0, 1 and 2.
bool hasFonts(const DATAFILE* data) {
    if (!data) return false;
    for (int i = 0; i < 3; i++)
        if (data[i].type != DAT_FONT) return false;
    return true;
}

}  // namespace

void globals::setDefaults(int depth) {
    mode = DEFAULT_MODE;
    vsync = DEFAULT_VSYNC;
    std::memcpy(keys, DEFAULT_KEYS, sizeof keys);
    maxFrameSkip = DEFAULT_MAX_FRAME_SKIP;
    videoBitmaps = 0;
    colorDepth = depth;
    sfxVolume = DEFAULT_SFX_VOLUME;
    musicVolume = DEFAULT_MUSIC_VOLUME;
    complexSfx = DEFAULT_COMPLEX_SFX;
    screenshotNumber = 0;
}

void globals::toBytes(unsigned char out[SETTINGS_SIZE]) const {
    out[0] = static_cast<unsigned char>(mode == 0 ? 1 : mode);
    out[1] = static_cast<unsigned char>(vsync);
    for (int i = 0; i < KEY_SLOTS; i++) putInt32(out + 2 + 4 * i, keys[i]);
    out[50] = static_cast<unsigned char>(maxFrameSkip);
    out[51] = static_cast<unsigned char>(videoBitmaps);
    putInt32(out + 52, colorDepth);
    out[56] = sfxVolume;
    out[57] = musicVolume;
    out[58] = static_cast<unsigned char>(complexSfx);
    putInt32(out + 59, screenshotNumber);
}

// A damaged or hand-edited file must not carry impossible values into the
// game. A record that is not exactly 63 bytes, or whose mode (0 to 2),
// key codes (1 to 126), frame-skip limit (at least 1) or colour depth (16
// or 32) lie outside their ranges, is refused whole: with those the game
// could not start or be played, and fields missing from a short file would
// stay zero. The remaining fields can't do harm and fall back one by one:
// flags to their defaults, a negative screenshot number to 0. A mode of 0
// reads as 1. Volumes use their whole byte.
bool globals::fromBytes(const unsigned char* bytes, std::size_t size) {
    if (size != SETTINGS_SIZE) return false;
    const int32_t depth = getInt32(bytes + 52);
    const signed char frameSkip = static_cast<signed char>(bytes[50]);
    if (bytes[0] > 2 || frameSkip < 1 || (depth != 16 && depth != 32)) return false;
    for (int i = 0; i < KEY_SLOTS; i++) {
        if (!isKeyCode(getInt32(bytes + 2 + 4 * i))) return false;
    }
    mode = static_cast<char>(bytes[0] == 0 ? 1 : bytes[0]);
    vsync = static_cast<char>(bytes[1]);
    if (!isFlag(vsync)) vsync = DEFAULT_VSYNC;
    for (int i = 0; i < KEY_SLOTS; i++) keys[i] = getInt32(bytes + 2 + 4 * i);
    maxFrameSkip = frameSkip;
    videoBitmaps = static_cast<char>(bytes[51]);
    if (!isFlag(videoBitmaps)) videoBitmaps = 0;
    colorDepth = depth;
    sfxVolume = bytes[56];
    musicVolume = bytes[57];
    complexSfx = static_cast<char>(bytes[58]);
    if (!isFlag(complexSfx)) complexSfx = DEFAULT_COMPLEX_SFX;
    screenshotNumber = getInt32(bytes + 59);
    if (screenshotNumber < 0) screenshotNumber = 0;
    return true;
}

bool globals::load() {
    std::ifstream file(SETTINGS_FILE, std::ios::binary);
    if (!file) return false;
    // One byte more than a record is read, so that a longer file is seen.
    unsigned char bytes[SETTINGS_SIZE + 1];
    file.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    return fromBytes(bytes, static_cast<std::size_t>(file.gcount()));
}

// Written to a temporary file that then replaces the old one, so a crash
// during the write never leaves a truncated settings file behind.
void globals::save() {
    if (mode == 0) mode = 1;
    unsigned char bytes[SETTINGS_SIZE];
    toBytes(bytes);
    const std::string temporary = std::string(SETTINGS_FILE) + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes), SETTINGS_SIZE);
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            return;
        }
    }
    std::rename(temporary.c_str(), SETTINGS_FILE);
}

void globals::create() {
    setDefaults(desktopDepth());
    save();
}

void globals::loadSettings() {
    firstStart = 0;
    if (!load()) {
        setDefaults(desktopDepth());
        firstStart = 1;
        netDriver = 0;
        save();
    }
}

void globals::init() {
    bloodMode = 0;
    loadSettings();

    set_color_depth(colorDepth);
    setMode(mode);

    buffer = createBitmap(SCREEN_W, SCREEN_H);
    if (!buffer) errors::createError();
    mainMenu = loadBitmap("gfx/mainmenu.tga");
    crosshair = loadBitmap("gfx/crosshair.tga");

    data = load_datafile("data/data.dat");
    if (!hasFonts(data)) errors::datafileError("data/data.dat");
    menuFont = static_cast<FONT*>(data[0].dat);
    textFont = static_cast<FONT*>(data[1].dat);
    messageFont = static_cast<FONT*>(data[2].dat);

    const int white = makecol(255, 255, 255);
    const int lineHeight = text_height(textFont);
    textout_right_ex(mainMenu, textFont, allegro_id, SCREEN_W - 3, SCREEN_H - 2 * lineHeight - 6, white, -1);
    textout_right_ex(mainMenu, textFont, VERSIONSTRING.c_str(), SCREEN_W - 3, SCREEN_H - lineHeight - 3, white,
                     -1);

    netDriver = startNetwork();
}

void globals::unload() {
    if (buffer) destroy_bitmap(buffer);
    if (mainMenu) destroy_bitmap(mainMenu);
    if (crosshair) destroy_bitmap(crosshair);
    if (data) unload_datafile(data);
    buffer = mainMenu = crosshair = nullptr;
    data = nullptr;
    menuFont = textFont = messageFont = nullptr;
    save();
}

void globals::toggleMode() {
    if (mode == 0) mode = 2;
    mode ^= 3;
    setMode(mode);
}

globals& globals::operator=(const globals& other) {
    mode = other.mode;
    vsync = other.vsync;
    colorDepth = other.colorDepth;
    std::memcpy(keys, other.keys, sizeof keys);
    sfxVolume = other.sfxVolume;
    musicVolume = other.musicVolume;
    videoBitmaps = other.videoBitmaps;
    complexSfx = other.complexSfx;
    screenshotNumber = other.screenshotNumber;
    bloodMode = other.bloodMode;
    return *this;
}
