// Keyboard and mouse on top of Allegro's polled state: edge-detected key
// presses, the display names of all key codes, and mouse click and wheel
// events sampled once per timer tick.
#pragma once

#include <atomic>
#include <string>

constexpr int KEY_CODE_COUNT = 127;  // Allegro scan codes 0 to 126

// True when code names a bindable key (0 means "no key").
inline bool isKeyCode(int code) { return code >= 1 && code < KEY_CODE_COUNT; }

// Reports each press of a key once; the key must be seen released before
// it is reported again.
class keyStatesClass {
public:
    keyStatesClass();
    int operator[](int k) { return getKey(k); }
    int getKey(int k);
    int anyKey();
    void setState(int k, int v);
    void resetAll();

private:
    int latch[KEY_CODE_COUNT];
};

extern keyStatesClass keyStates;
extern const std::string keyNames[KEY_CODE_COUNT];

// Name of a key code, or "" for a code outside the table.
std::string keyName(int code);

// Mouse state written by mouseCallback on the timer thread.
extern std::atomic<int> mouseZDiff;
extern std::atomic<int> oldMouseZ;
extern std::atomic<int> clickPosX;
extern std::atomic<int> clickPosY;
extern std::atomic<bool> down;
extern std::atomic<bool> click;

void mouseCallback(int);
bool clickEvent();
bool wheelUpEvent();
bool wheelDownEvent();
void drawMouse();
void installMouse();
