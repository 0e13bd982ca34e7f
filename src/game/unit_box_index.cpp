#include "game/unit_box_index.h"

#include <algorithm>
#include <climits>

void unitBoxIndex::assign(const std::vector<unitBox>& all) {
    boxes = all;
    const int n = static_cast<int>(boxes.size());
    order.resize(n);
    place.resize(n);
    widest = 0;
    for (int i = 0; i < n; ++i) {
        order[i] = i;
        widest = std::max(widest, boxes[i].right - boxes[i].left);
    }
    std::sort(order.begin(), order.end(), [this](int a, int b) { return boxes[a].left < boxes[b].left; });
    for (int k = 0; k < n; ++k) place[order[k]] = k;
}

void unitBoxIndex::move(int index, const unitBox& box) {
    boxes[index] = box;
    widest = std::max(widest, box.right - box.left);
    // A unit moves a few pixels a step, so it passes few others.
    int k = place[index];
    while (k > 0 && boxes[order[k - 1]].left > box.left) {
        order[k] = order[k - 1];
        place[order[k]] = k;
        --k;
    }
    while (k + 1 < static_cast<int>(order.size()) && boxes[order[k + 1]].left < box.left) {
        order[k] = order[k + 1];
        place[order[k]] = k;
        ++k;
    }
    order[k] = index;
    place[index] = k;
}

int unitBoxIndex::firstMeeting(int left, int top, int right, int bottom, int skip) const {
    // A box whose left edge lies more than the widest box left of `left`
    // ends before it.
    const long long from = static_cast<long long>(left) - widest;
    auto k = std::lower_bound(order.begin(), order.end(), from,
                              [this](int unit, long long edge) { return boxes[unit].left < edge; });
    int first = INT_MAX;
    for (; k != order.end() && boxes[*k].left <= right; ++k) {
        const int i = *k;
        const unitBox& b = boxes[i];
        if (i < first && i != skip && b.alive && left <= b.right && b.top <= bottom && top <= b.bottom) first = i;
    }
    return first == INT_MAX ? -1 : first;
}
