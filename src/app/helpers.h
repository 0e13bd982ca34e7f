// Small helpers every part of the program uses: bitmaps, files, numbers,
// the frame flip with screenshots, and the tick counter.
#pragma once

#include <atomic>
#include <string>

struct BITMAP;
struct DATAFILE;

// Counts timer ticks (TIMER_FPS a second); loops count it down as they run
// logic steps. Written on Allegro's timer thread.
extern std::atomic<int> timerCounter;
void timerCounterUpdater();

BITMAP* createBitmap(int w, int h);
BITMAP* createDatafileBitmap(DATAFILE* data, int index);
BITMAP* loadBitmap(std::string name);
bool fileSelect(std::string title, std::string& path, std::string extensions, int w, int h);
bool fileExists(std::string name);
std::string i2str(int n, int width);
std::string getSavegamePath(int slot);
std::string screenshotPath(int number);
void show(bool withMouse, BITMAP* bmp);
