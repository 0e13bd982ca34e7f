// One player slot of the multiplayer server: the player's position and
// pose (Entity), score, life, walking phase, name and connection.
#pragma once

#include <string>

#include "world/entity.h"

struct NET_CONN;

class mpUnit : public Entity {
public:
    int points = 0;
    bool active = false;
    int life = 0;
    int phase = 0;
    NET_CONN* connection = nullptr;  // owned; null while the slot is free
    std::string name;

    mpUnit() = default;
    ~mpUnit();
    mpUnit(const mpUnit&) = delete;
    mpUnit& operator=(const mpUnit&) = delete;

    // Occupies the slot with a new connection: no points, full life.
    void getConnected(NET_CONN* conn);
    // Closes the connection and frees the slot; the name stays.
    void leaveServer();

    bool isActive() const { return active; }
    bool isAlife() const { return life != 0; }
    NET_CONN* getConnection() const { return connection; }
    int& getPoints() { return points; }
    int& getPhase() { return phase; }
};
