#include "ui/menu_buttons.h"

#include <allegro.h>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"

std::string fitLabel(FONT* font, const std::string& label, int width) {
    if (text_length(font, label.c_str()) <= width) return label;
    std::string cut = label;
    while (!cut.empty() && (text_length(font, (cut + "...").c_str()) > width || cut.back() == ' ')) cut.pop_back();
    return cut + "...";
}

buttonMenu::buttonMenu(int start, const std::vector<std::string>& labels, std::vector<bool> enabled,
                       const buttonMenuLook& look)
    : enabled(std::move(enabled)), look(look), buttonW(look.button->w), buttonH(look.button->h) {
    for (const std::string& label : labels) this->labels.push_back(fitLabel(look.font, label, buttonW - 6));
    this->enabled.resize(this->labels.size(), false);
    bool any = false;
    for (bool e : this->enabled) any = any || e;
    if (!any) this->enabled.back() = true;

    selected = start >= 0 && start < count() ? start : 0;
    while (!this->enabled[selected]) selected = (selected + 1) % count();

    // A press of Up or Down that is still waiting from the screen before
    // must not move this menu's selection.
    menuPressed(menuKey::up);
    menuPressed(menuKey::down);
}

int buttonMenu::buttonLeft() const { return (global.buffer->w - buttonW) / 2; }

int buttonMenu::buttonTop(int item) const {
    const int slice = (global.buffer->h - 2 * look.margin) / count();
    return look.margin + item * slice + slice / 2 - buttonH / 2;
}

// The enabled item whose button holds (x, y) strictly inside, or -1.
int buttonMenu::buttonAt(int x, int y) const {
    const int left = buttonLeft();
    if (x <= left || x >= left + buttonW - 1) return -1;
    for (int i = 0; i < count(); i++) {
        const int top = buttonTop(i);
        if (enabled[i] && y > top && y < top + buttonH - 1) return i;
    }
    return -1;
}

void buttonMenu::moveSelection(int direction) {
    do selected = (selected + direction + count()) % count();
    while (!enabled[selected]);
}

bool buttonMenu::step() {
    if (pointer.moved()) {
        const int hovered = buttonAt(pointer.x(), pointer.y());
        if (hovered >= 0) selected = hovered;
    }
    if (menuPressed(menuKey::up)) moveSelection(-1);
    if (menuPressed(menuKey::down)) moveSelection(1);
    const bool confirmed = menuPressed(menuKey::confirm);
    if (clickEvent() || confirmed) {
        chosen = selected;
        return false;
    }
    return true;
}

void buttonMenu::draw() {
    render();
    show(true, nullptr);
}

void buttonMenu::render() {
    BITMAP* target = global.buffer;
    blit(look.background, target, 0, 0, 0, 0, look.background->w, look.background->h);
    const int textY = (buttonH - text_height(look.font)) / 2;
    for (int i = 0; i < count(); i++) {
        const int top = buttonTop(i);
        draw_sprite(target, i == selected ? look.button : look.buttonOther, buttonLeft(), top);
        const int colour = i == selected ? look.selectedColour : enabled[i] ? look.normalColour : look.disabledColour;
        textout_centre_ex(target, look.font, labels[i].c_str(), target->w / 2, top + textY, colour, -1);
    }
}
