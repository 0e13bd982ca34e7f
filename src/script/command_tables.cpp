#include "script/command_tables.h"

const char* const parse_name[COMMAND_COUNT] = {
    "set", "equal", "smaller", "inc", "dec", "add", "sub", "mul", "div", "quit", "quitn",
    "quita", "loadsound", "playsound", "deletesound", "stopsound", "msg", "endl", "msgvar",
    "graphic", "goto", "msgkey"};

const int parse_params[3][COMMAND_COUNT] = {
    {2, 1, 3, 2, 2, 2, 2, 2, 2, 1, 1, 0, 2, 1, 1, 1, 4, 0, 1, 3, 4, 3},
    {3, 3, 3, 0, 0, 3, 3, 3, 3, 0, 0, 0, 4, 3, 0, 0, 0, 0, 0, 3, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 3, 0, 0}};

const unsigned char parse_bytecode[COMMAND_COUNT] = {
    3, 25, 24, 4, 5, 6, 7, 26, 27, 17, 18, 19, 20, 22, 21, 23, 10, 11, 12, 13, 14, 28};

const char* const EVENT_NAMES[EVENT_COUNT] = {
    "onEnter", "onLeave", "onExplode", "duringTouch", "onKill", "onLoad", "onUse", "onCall",
    "global"};

const char* const STDCONSTS[STDCONST_COUNT] = {
    "ENEMYDEAD", "THISX", "THISY", "THISGRAPHIC", "DEBUGMODE", "THISID", "MAXLIFE",
    "MAXARMOR", "MISSIONSOLVED", "FALSE", "TRUE", "DOELSE", "ZFLAG", "ENEMIESLEFT", "", "",
    "POINTS1", "POINTS2", "OBJECTIVE1", "OBJECTIVE2", "OBJECTIVE3", "OBJECTIVE4",
    "OBJECTIVE5", "W1AMMO", "W2AMMO", "W3AMMO", "W4AMMO", "W5AMMO", "LIFE", "ARMOR",
    "HEALREFILLS", "AMMOREFILLS", "CALLER", "ACTIVEOBJECTIVE", "PISTOLOFF", "", ""};
