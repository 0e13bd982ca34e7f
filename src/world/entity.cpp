#include "world/entity.h"

#include <cmath>
#include <cstdint>

#include "app/constants.h"

namespace {

constexpr int FACINGS = 256;

// sin and cos of the facings 0 to 255, computed once exactly as offsetAt
// would compute them: every bullet and unit asks for an offset each step.
struct facingTable {
    double sine[FACINGS];
    double cosine[FACINGS];
    facingTable() {
        for (int d = 0; d < FACINGS; d++) {
            sine[d] = std::sin(d * PI / 128);
            cosine[d] = std::cos(d * PI / 128);
        }
    }
};

}  // namespace

facingOffset offsetAt(double length, int direction) {
    static const facingTable table;
    if (direction >= 0 && direction < FACINGS)
        return {length * table.sine[direction], -length * table.cosine[direction]};
    const double angle = direction * PI / 128;
    return {length * std::sin(angle), -length * std::cos(angle)};
}

void moveRequest::set(float oldX, float oldY, float newX, float newY, int scripts_, int rights_, int radius_) {
    oldPosX = oldX;
    oldPosY = oldY;
    newPosX = newX;
    newPosY = newY;
    scripts = scripts_;
    rights = rights_;
    radius = radius_;
    requested = true;
    declined = false;
}

void moveRequest::set(float oldX, float oldY, float newX, float newY, int scripts_, int rights_, int radius_, bool) {
    set(oldX, oldY, newX, newY, scripts_, rights_, radius_);
}

void moveRequest::decline() {
    declined = true;
    newPosX = oldPosX;
    newPosY = oldPosY;
}

void moveRequest::declineX() {
    declined = true;
    newPosX = oldPosX;
}

void moveRequest::declineY() {
    declined = true;
    newPosY = oldPosY;
}

void bulletRequest::set(float x, float y, int dir_, int type_, void* team_) {
    posX = x;
    posY = y;
    dir = dir_;
    type = type_;
    team = team_;
}

int bulletRequest::getTeam() const {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(team));
}
