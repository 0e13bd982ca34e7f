#include "world/entity.h"

#include <cmath>
#include <cstdint>

#include "app/constants.h"

facingOffset offsetAt(double length, int direction) {
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
