// The generic button menu as a paced screen: one button per item, stacked
// in equal slices of the screen between two margins, chosen with the keys
// or the mouse. menu::stdMenu runs it; tests step it directly. The layout
// follows the back buffer's size.
#pragma once

#include <string>
#include <vector>

#include "app/menu_input.h"
#include "app/pacer.h"

struct BITMAP;
struct FONT;

struct buttonMenuLook {
    FONT* font = nullptr;
    int margin = 50;
    BITMAP* button = nullptr;       // the selected item's button
    BITMAP* buttonOther = nullptr;  // every other button, of the same size
    BITMAP* background = nullptr;
    int normalColour = 0;
    int selectedColour = 0;
    int disabledColour = 0;
};

// A label wider than width in font, cut from its end until it fits with
// "..." appended and does not end in a blank, then with "..." appended.
std::string fitLabel(FONT* font, const std::string& label, int width);

class buttonMenu : public pacedScreen {
public:
    // If no item is enabled the last one is; the selection starts at the
    // first enabled item from start on. Pending presses of Up and Down are
    // dropped here.
    buttonMenu(int start, const std::vector<std::string>& labels, std::vector<bool> enabled,
               const buttonMenuLook& look);

    bool step() override;
    void draw() override;
    // The frame into the back buffer, without showing it.
    void render();

    int selection() const { return selected; }
    // The chosen item, -1 until one is chosen.
    int choice() const { return chosen; }
    const std::string& shownLabel(int item) const { return labels[item]; }
    int buttonLeft() const;
    int buttonTop(int item) const;

private:
    int count() const { return static_cast<int>(labels.size()); }
    int buttonAt(int x, int y) const;
    void moveSelection(int direction);

    std::vector<std::string> labels;
    std::vector<bool> enabled;
    buttonMenuLook look;
    int buttonW, buttonH;
    int selected = 0;
    int chosen = -1;
    pointerWatch pointer;
};
