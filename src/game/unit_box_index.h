// The boxes of a mission's listed units, kept sorted by their left edge so
// that a move request is tested only against the units whose boxes can
// reach it: with a thousand bullets and hundreds of units in flight every
// step, testing each bullet against every unit would dominate the step.
//
// Answers follow the unit list's order: of all the units a box meets, the
// one listed first.
#pragma once

#include <vector>

struct unitBox {
    int left, top, right, bottom;  // edges included
    bool alive;
};

class unitBoxIndex {
public:
    // Replaces every box; index i is unit i.
    void assign(const std::vector<unitBox>& all);
    // Changes one unit's box (after it moved), keeping the order.
    void move(int index, const unitBox& box);
    void setAlive(int index, bool alive) { boxes[index].alive = alive; }
    // The lowest index other than skip of a live unit whose box meets the
    // given one; -1 when there is none.
    int firstMeeting(int left, int top, int right, int bottom, int skip) const;

private:
    std::vector<unitBox> boxes;
    std::vector<int> order;  // unit indexes by left edge
    std::vector<int> place;  // each unit's position in order
    int widest = 0;          // the widest box (right - left)
};
