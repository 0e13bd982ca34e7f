// Everything that moves on the map is an Entity. Nothing moves itself: once
// per logic step a mover hands the game a moveRequest (and a unit may hand a
// bulletRequest); the map and the game judge it, and the owner takes back
// the position that survived.
//
// Request ownership: the mover creates a request with `new` and owns it
// until it is handed back (Unit::takeRequests, bullet::returnRequest); the
// judges only shorten or refuse it.
#pragma once

// Offset of length `length` at facing `direction` (256ths of a turn, 0 up,
// 64 right, clockwise), in double precision from the integer facing.
struct facingOffset {
    double dx;
    double dy;
};
facingOffset offsetAt(double length, int direction);

class Entity {
public:
    float posX = 0;
    float posY = 0;
    int direction = 0;  // units keep it in 0 to 255
    int state = 0;      // sprite state of a unit
    int radius = 0;
    int AIState = 0;    // 0 idle or approaching, 2 engaging

    float& getFlPosX() { return posX; }
    float& getFlPosY() { return posY; }
    int getPosX() const { return static_cast<int>(posX); }
    int getPosY() const { return static_cast<int>(posY); }
    int& getDirection() { return direction; }
    int& getState() { return state; }
    int& getAIState() { return AIState; }
    int getRadius() const { return radius; }
};

// Bits of moveRequest::scripts.
constexpr int SCRIPT_ENTER_LEAVE = 1;
constexpr int SCRIPT_USE = 2;
constexpr int SCRIPT_EXPLODE = 4;

class moveRequest {
public:
    float oldPosX = 0;
    float oldPosY = 0;
    float newPosX = 0;
    float newPosY = 0;
    int scripts = 0;
    int rights = 0;  // a tile stops the move when its blocking value is at least this
    int radius = 0;
    bool requested = false;
    bool declined = false;

    void set(float oldX, float oldY, float newX, float newY, int scripts, int rights, int radius);
    void set(float oldX, float oldY, float newX, float newY, int scripts, int rights, int radius, bool);
    void decline();
    void declineX();
    void declineY();

    float getOldPosX() const { return oldPosX; }
    float getOldPosY() const { return oldPosY; }
    float getNewPosX() const { return newPosX; }
    float getNewPosY() const { return newPosY; }
    int getScripts() const { return scripts; }
    int getRights() const { return rights; }
    int getRadius() const { return radius; }
    bool wasRequested() const { return requested; }
    bool wasDeclined() const { return declined; }
};

class bulletRequest {
public:
    float posX = 0;
    float posY = 0;
    int dir = 0;
    int type = 0;           // weapon number
    void* team = nullptr;   // the shooter; travels with every bullet of the shot

    void set(float x, float y, int dir, int type, void* team);
    float getPosX() const { return posX; }
    float getPosY() const { return posY; }
    int getDir() const { return dir; }
    int getType() const { return type; }
    // The shooter as a number, for comparisons only (its low bits on 64-bit
    // machines; use `team` itself to tell shooters apart).
    int getTeam() const;
};
