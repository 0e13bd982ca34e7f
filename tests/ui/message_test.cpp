// Assembling, publishing, ageing and drawing message lines.
#include "ui/message.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "support/pixels.h"

static void publish(messageClass& m, const std::string& text) {
    m.sendText(text);
    m.output();
}

// Each line as its pieces, "#" before a number, joined by single spaces;
// the lines kept newest first, at least one. A white box from 2 pixels
// above its top to the bottom of the visible newest lines and 2 pixels
// right of the widest; drawn only while one of them is new (a line turns
// old on its 128th poll), unless all are asked for.
TEST(Message, LinesAreJoinedKeptNewestFirstAndBoxedWhileOneIsNew) {
    BITMAP* target = create_bitmap(200, 200);
    messageClass m(32, 7, 3, font, font, target), tiny(0, 7, 3, font, font, nullptr);
    const int white = makecol(255, 255, 255), blue = makecol(0, 0, 255);
    const auto drawn = [&](bool all) {
        clear_to_color(target, blue);
        m.draw(20, all);
        return holdsColour(target, 0, 0, 200, 200, white);
    };
    EXPECT_FALSE(drawn(false));  // nothing published
    m.showArchive();             // returns at once and draws nothing
    EXPECT_FALSE(holdsColour(target, 0, 0, 200, 200, white));
    const std::vector<std::vector<std::string>> published = {{"Hello", "#5"}, {"a ", "b"}, {"a", " b", "#-12"}, {}};
    for (const auto& pieces : published) {
        for (const std::string& p : pieces) p[0] == '#' ? m.sendInt(std::stoi(p.substr(1))) : m.sendText(p);
        m.output();
    }
    const std::string newestFirst[] = {"", " a  b -12", " a b", " Hello 5"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(m.lines[i].text, newestFirst[i]);
    for (const char* text : {"a", "b"}) publish(tiny, text);
    EXPECT_EQ(tiny.count, 1);
    EXPECT_EQ(tiny.lines[0].text, " b");
    for (int i = 0; i < 8; ++i) publish(m, "line");
    for (int i = 0; i < 127; ++i) m.poll();
    EXPECT_TRUE(drawn(false));
    m.poll();
    EXPECT_FALSE(drawn(false));  // all old on the 128th poll
    EXPECT_TRUE(drawn(true));
    const int bottom = 20 + 7 * m.lineHeight, right = text_length(font, " line") + 3 + 2;
    const int edges[][3] = {{0, 18, white},     {0, 17, blue},          {0, bottom, white},
                            {0, bottom + 1, blue}, {right, 20, white}, {right + 1, 20, blue}};
    for (const auto& e : edges) EXPECT_EQ(getpixel(target, e[0], e[1]), e[2]) << e[0] << ", " << e[1];
    publish(m, "line");
    EXPECT_TRUE(drawn(false));
    destroy_bitmap(target);
}
