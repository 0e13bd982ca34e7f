// The editor's keys as the help overlay shows them (and the README lists
// them), named by the user's current bindings.
#pragma once

#include <string>
#include <vector>

struct BITMAP;
struct FONT;

std::vector<std::string> editorHelpLines(const int keys[]);

// The help lines in a dark box centred on bmp.
void drawEditorHelp(BITMAP* bmp, FONT* textFont, const int keys[]);
