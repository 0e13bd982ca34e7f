#include "game/unit_box_index.h"

#include <gtest/gtest.h>

#include <random>

namespace {

int bruteForce(const std::vector<unitBox>& boxes, int l, int t, int r, int b, int skip) {
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        const unitBox& u = boxes[i];
        if (i != skip && u.alive && l <= u.right && u.left <= r && t <= u.bottom && u.top <= b) return i;
    }
    return -1;
}

}  // namespace

TEST(UnitBoxIndex, FindsTheFirstListedUnitLikeATestOfEveryUnitWhileUnitsMoveAndDie) {
    std::mt19937 random(7);
    auto coordinate = [&] { return static_cast<int>(random() % 400); };
    auto box = [&] {
        const int x = coordinate(), y = coordinate(), r = static_cast<int>(random() % 20) - 2;
        return unitBox{x - r, y - r, x + r, y + r, random() % 5 != 0};
    };
    std::vector<unitBox> boxes(60);
    for (unitBox& b : boxes) b = box();
    unitBoxIndex index;
    index.assign(boxes);
    for (int round = 0; round < 3000; ++round) {
        const int changed = static_cast<int>(random() % boxes.size());
        if (round % 3 == 0) {
            boxes[changed] = box();
            index.move(changed, boxes[changed]);
        } else if (round % 7 == 0) {
            boxes[changed].alive = false;
            index.setAlive(changed, false);
        }
        const int x = coordinate(), y = coordinate(), r = static_cast<int>(random() % 12);
        const int skip = static_cast<int>(random() % 70) - 5;
        ASSERT_EQ(index.firstMeeting(x - r, y - r, x + r, y + r, skip), bruteForce(boxes, x - r, y - r, x + r, y + r, skip))
            << "round " << round;
    }
}
