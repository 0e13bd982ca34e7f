#include "net/address.h"

#include <cstdio>

namespace {

// Digits only, at most 65535; an empty text is port 0.
bool parsePort(const std::string& text, uint16_t& port) {
    if (text.size() > 5) return false;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 65535) return false;
    port = static_cast<uint16_t>(value);
    return true;
}

}  // namespace

bool parseNetAddress(const std::string& text, uint16_t configuredPort, netAddress& out) {
    if (text.size() >= NET_ADDRESS_TEXT) return false;
    const std::size_t colon = text.rfind(':');
    const std::string host = text.substr(0, colon);
    uint16_t port = 0;
    if (!parseNetPort(text, port)) return false;
    if (port == 0) port = configuredPort;

    uint32_t ip = 0;
    if (host == "*") {
        ip = 0xffffffffu;
    } else if (!host.empty() && !udpResolve(host.c_str(), ip)) {
        return false;
    }
    out = netAddress{ip, port};
    return true;
}

bool parseNetPort(const std::string& text, uint16_t& port) {
    const std::size_t colon = text.rfind(':');
    port = 0;
    return colon == std::string::npos || parsePort(text.substr(colon + 1), port);
}

std::string formatNetAddress(const netAddress& address) {
    char text[NET_ADDRESS_TEXT];
    if (address.host == 0) {
        std::snprintf(text, sizeof text, ":%d", address.port);
    } else {
        std::snprintf(text, sizeof text, "%d.%d.%d.%d:%d", static_cast<int>(address.host >> 24),
                      static_cast<int>((address.host >> 16) & 0xff), static_cast<int>((address.host >> 8) & 0xff),
                      static_cast<int>(address.host & 0xff), address.port);
    }
    return text;
}
