#include "game/mission_description.h"

#include <cerrno>
#include <cstdlib>

#include "game/text_file.h"
#include "map/map_file.h"
#include "script/virtual_machine.h"

namespace {

// Lines and numbers over one text.
class textReader {
public:
    explicit textReader(const std::string& text) : text(text) {}

    bool atEnd() const { return pos >= text.size(); }
    std::string line() {
        const std::size_t end = text.find('\n', pos);
        std::string l = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? text.size() : end + 1;
        if (!l.empty() && l.back() == '\r') l.pop_back();
        return l;
    }
    // The next whitespace-separated word as an integer; false when there is
    // none or it isn't one.
    bool integer(long& value) {
        while (pos < text.size() && isSpace(text[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && !isSpace(text[pos])) ++pos;
        if (start == pos) return false;
        const std::string w = text.substr(start, pos - start);
        errno = 0;
        char* end = nullptr;
        value = std::strtol(w.c_str(), &end, 10);
        return *end == '\0' && errno != ERANGE;
    }
    void skipLineRest(int most) {
        for (int i = 0; i < most && pos < text.size(); ++i)
            if (text[pos++] == '\n') return;
    }

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
    const std::string& text;
    std::size_t pos = 0;
};

}  // namespace

bool parseMissionDescription(const std::string& text, const std::string& name, bool campaign,
                             missionDescription& out, std::string& reason) {
    out = missionDescription{};
    if (text.size() > DESCRIPTION_MAX_BYTES) {
        reason = "Mission description \"" + name + "\" is larger than 64 KiB";
        return false;
    }
    textReader in(text);
    if (campaign) {
        out.title = in.line();
    } else {
        for (;;) {
            std::string l = in.line();
            if (l.empty() || l[0] != '-') {
                out.title = l;
                break;
            }
            if (static_cast<int>(out.objectives.size()) == MAX_OBJECTIVES) {
                reason = "Mission description \"" + name + "\" has more than 5 objectives";
                return false;
            }
            out.objectives.push_back(l);
        }
        for (std::size_t i = 0; i < out.objectives.size(); ++i) {
            long column = 0, row = 0;
            if (!in.integer(column) || !in.integer(row)) {
                reason = "Mission description \"" + name + "\" lacks the tile position of objective " +
                         std::to_string(i + 1);
                return false;
            }
            if (column < 0 || column >= MAP_MAX_SIDE || row < 0 || row >= MAP_MAX_SIDE) {
                reason = "Mission description \"" + name + "\" places objective " + std::to_string(i + 1) +
                         " outside any map";
                return false;
            }
            out.positions.push_back({static_cast<int>(column), static_cast<int>(row)});
        }
        // Without objectives there are no numbers, and the line after the
        // title is already the briefing's first.
        if (!out.objectives.empty()) in.skipLineRest(POSITION_LINE_SKIP);
    }
    while (!in.atEnd()) out.briefing.push_back(in.line());
    return true;
}

bool readMissionDescription(const std::string& path, bool campaign, missionDescription& out, std::string& reason) {
    std::string text;
    if (!readTextFile(path, DESCRIPTION_MAX_BYTES, text)) {
        reason = "Failed to open mission description!";
        return false;
    }
    return parseMissionDescription(text, path, campaign, out, reason);
}
