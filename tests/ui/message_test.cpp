// Assembling, publishing, ageing and drawing message lines.
#include "ui/message.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace {

struct bitmapHolder {
    BITMAP* bmp = create_bitmap(200, 200);
    ~bitmapHolder() { destroy_bitmap(bmp); }
};

messageClass missionMessages(BITMAP* target) { return messageClass(32, 7, 3, font, font, target); }

void publish(messageClass& m, const std::string& text) {
    m.sendText(text);
    m.output();
}

bool anyPixelIs(BITMAP* bmp, int colour) {
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            if (getpixel(bmp, x, y) == colour) return true;
    return false;
}

}  // namespace

TEST(Message, PiecesAreJoinedBySingleSpaces) {
    messageClass m = missionMessages(nullptr);
    m.sendText("Hello");
    m.sendInt(5);
    m.output();
    EXPECT_EQ(m.lines[0].text, " Hello 5");
    m.sendText("a ");
    m.sendText("b");
    m.output();
    EXPECT_EQ(m.lines[0].text, " a b");
    m.sendText("a");
    m.sendText(" b");
    m.sendInt(-12);
    m.output();
    EXPECT_EQ(m.lines[0].text, " a  b -12");
    m.output();
    EXPECT_EQ(m.lines[0].text, "");
    EXPECT_EQ(m.count, 4);
}

TEST(Message, KeepsTheNewestLinesUpToCapacity) {
    messageClass m = missionMessages(nullptr);
    for (int i = 0; i < 33; ++i) publish(m, std::to_string(i));
    EXPECT_EQ(m.count, 32);
    EXPECT_EQ(m.lines[0].text, " 32");
    EXPECT_EQ(m.lines[31].text, " 1");
    messageClass tiny(0, 7, 3, font, font, nullptr);
    publish(tiny, "a");
    publish(tiny, "b");
    EXPECT_EQ(tiny.count, 1);
    EXPECT_EQ(tiny.lines[0].text, " b");
}

TEST(Message, ALineTurnsOldOnTheHundredTwentyEighthPoll) {
    messageClass m = missionMessages(nullptr);
    publish(m, "first");
    for (int i = 0; i < 127; ++i) m.poll();
    EXPECT_FALSE(m.lines[0].isOld());
    m.poll();
    EXPECT_TRUE(m.lines[0].isOld());
    publish(m, "second");  // starts its own full countdown
    EXPECT_EQ(m.lines[0].ctd, 128);
    EXPECT_FALSE(m.lines[0].isOld());
    message never;
    never.poll();
    EXPECT_TRUE(never.isOld());
}

TEST(Message, TheBoxShowsOnlyWhileALineIsNew) {
    bitmapHolder target;
    messageClass m = missionMessages(target.bmp);
    const int white = makecol(255, 255, 255);
    clear_to_color(target.bmp, makecol(0, 0, 255));
    m.draw(20, false);
    EXPECT_FALSE(anyPixelIs(target.bmp, white));  // nothing published

    publish(m, "hello");
    for (int i = 0; i < 128; ++i) m.poll();
    m.draw(20, false);
    EXPECT_FALSE(anyPixelIs(target.bmp, white));  // all old
    m.draw(20, true);
    EXPECT_EQ(getpixel(target.bmp, 0, 18), white);
    EXPECT_EQ(getpixel(target.bmp, 0, 17), makecol(0, 0, 255));
}

TEST(Message, TheBoxHoldsTheVisibleNewestLines) {
    bitmapHolder target;
    messageClass m = missionMessages(target.bmp);
    for (int i = 0; i < 8; ++i) publish(m, "line");
    clear_to_color(target.bmp, makecol(0, 0, 255));
    m.draw(20, false);
    const int bottom = 20 + 7 * m.lineHeight;
    EXPECT_EQ(getpixel(target.bmp, 0, bottom), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(target.bmp, 0, bottom + 1), makecol(0, 0, 255));
    const int right = text_length(font, " line") + 3 + 2;
    EXPECT_EQ(getpixel(target.bmp, right, 20), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(target.bmp, right + 1, 20), makecol(0, 0, 255));
}

TEST(Message, ArchiveWithNothingPublishedReturnsAtOnce) {
    bitmapHolder target;
    messageClass m = missionMessages(target.bmp);
    clear_to_color(target.bmp, makecol(0, 0, 255));
    m.showArchive();
    EXPECT_FALSE(anyPixelIs(target.bmp, makecol(255, 255, 255)));
}
