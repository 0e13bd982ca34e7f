// The archive screen runs at the timer's pace until a key is pressed.
#include <allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/helpers.h"
#include "ui/message.h"

TEST(MessageArchive, AKeyPressLeavesItWithEveryLineOld) {
    BITMAP* target = create_bitmap(800, 600);
    messageClass m(32, 7, 3, font, font, target);
    for (int i = 0; i < 3; ++i) {
        m.sendText("line");
        m.output();
    }
    key[KEY_A] = 0;
    timerCounter = 1000;
    std::thread press([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        key[KEY_A] = 1;
    });
    m.showArchive();
    press.join();
    key[KEY_A] = 0;
    for (int i = 0; i < m.count; ++i) EXPECT_TRUE(m.lines[i].isOld()) << i;
    EXPECT_LT(timerCounter.load(), 1000);
    EXPECT_EQ(getpixel(target, 0, 0), makecol(255, 255, 255));
    destroy_bitmap(target);
}
