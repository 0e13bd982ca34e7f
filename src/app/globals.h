// Everything the whole program shares: the user's settings, the back
// buffer, the menu background, the crosshair, the three fonts and the
// network driver number.
//
// The "settings" file is a flat 63-byte record, little-endian:
//   offset  size  field
//        0     1  mode (1 full screen, 2 windowed)
//        1     1  vsync
//        2    48  keys, slot 0 to 11, 4 bytes each
//       50     1  maxFrameSkip
//       51     1  videoBitmaps
//       52     4  colorDepth
//       56     1  sfxVolume
//       57     1  musicVolume
//       58     1  complexSfx
//       59     4  screenshotNumber
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct BITMAP;
struct FONT;
struct DATAFILE;

constexpr int KEY_SLOTS = 12;
constexpr std::size_t SETTINGS_SIZE = 63;
extern const char* const SETTINGS_FILE;

// Binding slots of globals::keys.
enum keySlot {
    SLOT_STRAFE_LEFT, SLOT_STRAFE_RIGHT, SLOT_FORWARD, SLOT_BACKWARD, SLOT_USE,
    SLOT_EXTRA, SLOT_SHOOT, SLOT_NEXT_WEAPON, SLOT_PREVIOUS_WEAPON,
    SLOT_AIMING_HELP, SLOT_DESCRIPTION, SLOT_OLD_MESSAGES
};

extern const int DEFAULT_KEYS[KEY_SLOTS];

class globals {
public:
    BITMAP* mainMenu = nullptr;
    char mode = 0;
    char vsync = 0;
    BITMAP* buffer = nullptr;
    FONT* menuFont = nullptr;
    FONT* textFont = nullptr;
    FONT* messageFont = nullptr;
    DATAFILE* data = nullptr;
    int32_t keys[KEY_SLOTS] = {};
    signed char maxFrameSkip = 0;
    char videoBitmaps = 0;
    int32_t colorDepth = 0;
    char firstStart = 0;
    unsigned char sfxVolume = 0;
    unsigned char musicVolume = 0;
    char complexSfx = 0;
    int32_t screenshotNumber = 0;
    char bloodMode = 0;
    int32_t netDriver = 0;
    BITMAP* crosshair = nullptr;

    void init();
    // Reads the settings file; when it is absent (or unusable, see load),
    // the defaults are taken, saved, and firstStart is set.
    void loadSettings();
    // False when the file is absent or fromBytes refuses it.
    bool load();
    void save();
    void create();
    void unload();
    void toggleMode();
    globals& operator=(const globals& other);

    // The saved fields as the 63-byte record, and back. fromBytes refuses
    // (false, nothing changed) anything but a whole record with a usable
    // mode, key codes, frame-skip limit and colour depth; see globals.cpp.
    void toBytes(unsigned char out[SETTINGS_SIZE]) const;
    bool fromBytes(const unsigned char* bytes, std::size_t size);
    void setDefaults(int desktopDepth);
};

extern globals global;
