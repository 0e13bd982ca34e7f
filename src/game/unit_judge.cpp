// Judging a move request against the player and the listed units: units
// block each other, bullets hit whom they touch.
#include "game/single_player_game.h"

bool singlePlayerGame::collides(int x1, int y1, int x2, int y2, int X1, int Y1, int X2, int Y2) {
    return x1 <= X2 && X1 <= x2 && y1 <= Y2 && Y1 <= y2;
}

unitBox singlePlayerGame::boxOf(int index) const {
    const Unit& unit = *units[index];
    const int x = unit.getPosX();
    const int y = unit.getPosY();
    const int r = unit.getRadius();
    return {x - r, y - r, x + r, y + r, unit.isAlife()};
}

void singlePlayerGame::refreshBoxes() {
    std::vector<unitBox> all(units.size());
    for (int i = 0; i < static_cast<int>(units.size()); ++i) all[i] = boxOf(i);
    boxes.assign(all);
}

void singlePlayerGame::handleMoveRequest(moveRequest* request, VirtualMachine& vm, int caller, void* team,
                                         int direction) {
    if (!request || request->wasDeclined()) return;
    const bool byPlayer = caller == -1;
    const bool byBullet = caller <= -2;
    const int bulletType = -2 - caller;
    const int x = static_cast<int>(request->newPosX);
    const int y = static_cast<int>(request->newPosY);
    const int r = request->radius;
    const int left = x - r, top = y - r, right = x + r, bottom = y + r;
    const int px = player.getPosX(), py = player.getPosY(), pr = player.getRadius();
    // The player's body keeps blocking after death.
    if (!byPlayer && collides(left, top, right, bottom, px - pr, py - pr, px + pr, py + pr)) {
        if (!byBullet) {
            request->decline();
        } else if (team != &player) {
            request->decline();
            if (!godMode) player.getHit(bulletType);
        }
        return;
    }
    // The first live unit in list order, other than the caller, that the
    // request meets.
    const int i = boxes.firstMeeting(left, top, right, bottom, caller);
    if (i < 0) return;
    Unit& unit = *units[i];
    if (!byBullet) {
        request->decline();
        return;
    }
    if (team == &unit) return;
    request->decline();
    // Enemies don't hurt each other.
    if (team == &player || !unit.isEnemy() || team == nullptr) unit.getHit(bulletType);
    if (!unit.isAlife()) {
        boxes.setAlive(i, false);
        unit.direction = (direction + 128) & 255;
        if (scripts[i]) vm.compute(scripts[i]->onKill);
    }
}
