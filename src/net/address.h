// Transport addresses as text: a host, a colon and a port number. The host is
// a dotted IPv4 address, a name the system resolves, "*" for broadcast, or
// nothing for the any-address; a missing port or port 0 means the configured
// port. Written as "%d.%d.%d.%d:%d", with the host left out for 0.0.0.0.
#pragma once

#include <cstdint>
#include <string>

#include "platform/net_udp.h"

constexpr std::size_t NET_ADDRESS_TEXT = 128;  // room for an address text with its zero

// False when the text is too long, the port is not a number from 0 to
// 65535, or the host can't be resolved.
bool parseNetAddress(const std::string& text, uint16_t configuredPort, netAddress& out);

std::string formatNetAddress(const netAddress& address);

// The port of an address text, without looking at (or resolving) its host:
// 0 when the text names none. False when it is not a number up to 65535.
bool parseNetPort(const std::string& text, uint16_t& port);
