#include "net/server_slot.h"

#include "net/mp_rules.h"
#include "net/transport.h"

mpUnit::~mpUnit() {
    if (connection) net_closeconn(connection);
}

void mpUnit::getConnected(NET_CONN* conn) {
    points = 0;
    life = START_LIFE;
    phase = 0;
    connection = conn;
    active = true;
}

void mpUnit::leaveServer() {
    if (connection) net_closeconn(connection);
    connection = nullptr;
    active = false;
}
