// Judging a move request against the player and the listed units: units
// block each other, bullets hit whom they touch.
#include "game/single_player_game.h"

bool singlePlayerGame::collides(int x1, int y1, int x2, int y2, int X1, int Y1, int X2, int Y2) {
    return x1 <= X2 && X1 <= x2 && y1 <= Y2 && Y1 <= y2;
}

namespace {

bool boxesMeet(const moveRequest& request, const Unit& unit) {
    const int x = static_cast<int>(request.newPosX);
    const int y = static_cast<int>(request.newPosY);
    const int r = request.radius;
    return singlePlayerGame::collides(x - r, y - r, x + r, y + r, unit.getPosX() - unit.getRadius(),
                                      unit.getPosY() - unit.getRadius(), unit.getPosX() + unit.getRadius(),
                                      unit.getPosY() + unit.getRadius());
}

}  // namespace

void singlePlayerGame::handleMoveRequest(moveRequest* request, VirtualMachine& vm, int caller, void* team,
                                         int direction) {
    if (!request || request->wasDeclined()) return;
    const bool byPlayer = caller == -1;
    const bool byBullet = caller <= -2;
    const int bulletType = -2 - caller;
    // The player's body keeps blocking after death.
    if (!byPlayer && boxesMeet(*request, player)) {
        if (!byBullet) {
            request->decline();
        } else if (team != &player) {
            request->decline();
            if (!godMode) player.getHit(bulletType);
        }
        return;
    }
    for (int i = 0; i < static_cast<int>(units.size()); ++i) {
        Unit& unit = *units[i];
        if (i == caller || !unit.isAlife() || !boxesMeet(*request, unit)) continue;
        if (!byBullet) {
            request->decline();
            return;
        }
        if (team == &unit) return;
        request->decline();
        // Enemies don't hurt each other.
        if (team == &player || !unit.isEnemy() || team == nullptr) unit.getHit(bulletType);
        if (!unit.isAlife()) {
            unit.direction = (direction + 128) & 255;
            if (scripts[i]) vm.compute(scripts[i]->onKill);
        }
        return;
    }
}
