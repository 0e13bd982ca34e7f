#include "ui/message.h"

#include <allegro.h>

#include <algorithm>

#include "app/helpers.h"
#include "app/input.h"
#include "app/menu_input.h"
#include "app/pacer.h"

namespace {

constexpr int NEW_LINE_POLLS = 128;  // 4 seconds at 32 logic steps a second

int white() { return makecol(255, 255, 255); }

}  // namespace

void message::poll() {
    if (ctd > 0) --ctd;
    if (ctd == 0) old = true;
}

void message::erase() {
    text.clear();
    old = false;
}

void message::draw(int x, int y, BITMAP* bmp, FONT* font) const {
    if (!text.empty()) textout_ex(bmp, font, text.c_str(), x, y, 0, -1);
}

messageClass::messageClass(int capacity, int visibleLines, int x, FONT* fontOld, FONT* fontNew, BITMAP* target)
    : lines(std::max(capacity, 1)),
      fontOld(fontOld),
      fontNew(fontNew),
      target(target),
      capacity(std::max(capacity, 1)),
      lineHeight(text_height(fontOld) + 2),
      x(x),
      visibleLines(visibleLines) {
    current.setCtd(NEW_LINE_POLLS);
}

void messageClass::sendText(std::string s) {
    if (current.text.empty() || current.text.back() != ' ') current.text += ' ';
    current.text += s;
}

void messageClass::sendInt(int n) { sendText(std::to_string(n)); }

void messageClass::output() {
    if (count < capacity) ++count;
    for (int i = capacity - 2; i >= 0; --i) lines[i + 1] = lines[i];
    lines[0] = current;
    current.erase();
}

void messageClass::poll() {
    for (int i = 0; i < count; ++i) lines[i].poll();
}

void messageClass::draw(int y, bool all) {
    int n = std::min(count, visibleLines);
    if (n <= 0) return;
    bool anyNew = false;
    int width = 0;
    for (int i = 0; i < n; ++i) {
        anyNew = anyNew || !lines[i].isOld();
        FONT* f = lines[i].isOld() ? fontOld : fontNew;
        width = std::max(width, text_length(f, lines[i].text.c_str()) + x);
    }
    if (!anyNew && !all) return;
    rectfill(target, 0, y - 2, width + 2, y + n * lineHeight, white());
    for (int i = 0; i < n; ++i) {
        lines[i].draw(x, y + i * lineHeight, target, lines[i].isOld() ? fontOld : fontNew);
    }
}

namespace {

// The archive page: every kept line, until any key is pressed.
class archiveScreen : public pacedScreen {
public:
    explicit archiveScreen(messageClass& messages) : messages(messages) {}

    bool step() override { return !keyStates.anyKey(); }

    void draw() override {
        BITMAP* target = messages.target;
        const int lineHeight = messages.lineHeight;
        clear_to_color(target, white());
        textout_centre_ex(target, messages.fontNew, "Press any key to return to game.", target->w / 2, 5, 0, -1);
        textout_centre_ex(target, messages.fontNew, "You received the following messages:", target->w / 2,
                          lineHeight + 5, 0, -1);
        int y = 3 * lineHeight + 5;
        for (int i = 0; i < messages.count && y + lineHeight < target->h; ++i, y += lineHeight) {
            messages.lines[i].draw(8, y, target, messages.fontOld);
        }
        show(false, target);
    }

private:
    messageClass& messages;
};

}  // namespace

void messageClass::showArchive() {
    if (count == 0) return;
    keyStates.anyKey();
    archiveScreen screen(*this);
    runPaced(screen, MENU_PACING);
    for (int i = 0; i < count; ++i) lines[i].old = true;
}
