#include "net/packet.h"

#include <cstring>

#include "net/transport.h"

packet::packet() : data(new char[PACKET_SIZE]), position(0), size(PACKET_SIZE), length(0), overrun(false) {
    std::memset(data, 0, PACKET_SIZE);
}

packet::~packet() { delete[] data; }

void packet::reset() {
    position = 0;
    length = 0;
    overrun = false;
}

void packet::put(char c) {
    if (position >= size) {
        overrun = true;
        return;
    }
    data[position++] = c;
}

void packet::write(const char* p, int n) {
    if (n < 0 || n > size - position) {
        overrun = true;
        return;
    }
    std::memcpy(data + position, p, static_cast<std::size_t>(n));
    position += n;
}

char packet::get() {
    if (position >= length) {
        overrun = true;
        return 0;
    }
    return data[position++];
}

void packet::read(char* p, int n) {
    if (n < 0 || n > length - position) {
        overrun = true;
        if (n > 0) std::memset(p, 0, static_cast<std::size_t>(n));
        position = length;
        return;
    }
    std::memcpy(p, data + position, static_cast<std::size_t>(n));
    position += n;
}

void packet::send(NET_CONN* c) {
    if (position != 0 && !overrun) net_send_rdm(c, data, position);
}

int packet::receive(NET_CONN* c) {
    if (!c) return 0;
    while (net_query_rdm(c) != 0) {
        const int n = net_receive_rdm(c, data, size);
        if (n == 0) return 0;
        if (n < 0) continue;  // too large for the buffer: discarded, try the next
        position = 0;
        length = n;
        overrun = false;
        return n;
    }
    return 0;
}

bool packet::assign(const char* bytes, int n) {
    reset();
    if (n < 0 || n > size) return false;
    if (n > 0) std::memcpy(data, bytes, static_cast<std::size_t>(n));
    length = n;
    return true;
}

