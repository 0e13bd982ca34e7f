#include "net/config.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t MAX_LINE = 1023;

std::string trim(const std::string& s) {
    const char* blanks = " \t\r";
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// Leading number of the text as strtol reads it; anything else is 0. Values
// beyond the range of long are clamped by strtol.
long number(const std::string& value) { return std::strtol(value.c_str(), nullptr, 10); }

bool yes(const std::string& value) { return number(value) != 0 || (!value.empty() && (value[0] == 'y' || value[0] == 'Y')); }

// The file's lines, read to its end; a line longer than the file format
// allows is skipped whole (and never held whole) rather than read as several
// lines. CR LF endings count as LF.
std::vector<std::string> readLines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    bool tooLong = false;
    const auto finish = [&] {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!tooLong && line.size() <= MAX_LINE) lines.push_back(line);
        line.clear();
        tooLong = false;
    };
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\n') {
            finish();
        } else if (line.size() <= MAX_LINE) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    if (!line.empty() || tooLong) finish();
    return lines;
}

// Calls apply(key, value) for every setting of the first section `name`.
template <typename Apply>
void readSection(const std::vector<std::string>& lines, const std::string& name, Apply apply) {
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != "[" + name + "]") ++i;
    for (++i; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!line.empty() && line[0] == '[') return;
        if (!line.empty() && line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        apply(trim(line.substr(0, equals)), trim(line.substr(equals + 1)));
    }
}

void applyConnSetting(const std::string& key, const std::string& value, netConfig& config) {
    const long n = number(value);
    if (key == "conn_outqueue_size" && n > 0) config.outQueueSize = roundQueueSize(n);
    if (key == "conn_inqueue_size" && n > 0) config.inQueueSize = roundQueueSize(n);
    // Resend intervals beyond a minute would make a lost datagram stall a
    // connection for good; they keep the default like 0 does.
    if (key == "conn_resend_rate" && n > 0 && n <= 60000) config.resendRate = static_cast<uint32_t>(n);
}

}  // namespace

int roundQueueSize(long value) {
    int size = NET_MIN_QUEUE;
    while (size < value && size < NET_MAX_QUEUE) size *= 2;
    return size;
}

void readNetConfig(const std::string& text, netConfig& config) {
    std::istringstream in(text);
    readNetConfig(in, config);
}

void readNetConfig(std::istream& in, netConfig& config) {
    const std::vector<std::string> lines = readLines(in);
    readSection(lines, "conns", [&](const std::string& key, const std::string& value) {
        applyConnSetting(key, value, config);
    });
    readSection(lines, "internet", [&](const std::string& key, const std::string& value) {
        const long n = number(value);
        if (key == "port" && n > 0 && n <= 65535) config.port = static_cast<uint16_t>(n);
        if (key == "forceport") config.forcePort = n != 0;
        if (key == "disable") config.disabled = config.disabled || yes(value);
        applyConnSetting(key, value, config);
    });
    readSection(lines, "winsock_win", [&](const std::string& key, const std::string& value) {
        if (key == "disable") config.disabled = config.disabled || yes(value);
    });
}
