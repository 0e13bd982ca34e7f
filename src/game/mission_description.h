// Mission description files ("maps/<name>.kvd"): a pure reader, shared by
// the description screen and the mission checker.
//
// Plain text, read line by line (a line's trailing carriage return is
// dropped). A mission's own description:
//   objective lines  each begins with "-"; the whole line is the objective's
//                    text; at most MAX_OBJECTIVES of them
//   title            the first line not beginning with "-" (an empty line
//                    counts as such)
//   positions        for each objective its tile column and tile row, as
//                    whitespace-separated integers (they may spread over
//                    lines); after the last number at most 8 further
//                    characters of its line are skipped, the line end
//                    included
//   briefing         every further line, one screen line each
// A campaign text: line 1 the title, every further line briefing.
//
// The game keeps the state of objective n in the script variable
// OBJECTIVE1 + n - 1, and there are five such variables, so a sixth
// objective line would read variables that are not objective flags: such a
// file is refused. Positions must lie on a map of the largest size
// (0 to MAP_MAX_SIDE - 1). Files above DESCRIPTION_MAX_BYTES are refused.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr std::size_t DESCRIPTION_MAX_BYTES = 64 * 1024;
constexpr int POSITION_LINE_SKIP = 8;

struct objectiveTile {
    int column = 0;
    int row = 0;
};

struct missionDescription {
    std::string title;
    std::vector<std::string> objectives;  // dash included
    std::vector<objectiveTile> positions; // one per objective
    std::vector<std::string> briefing;
};

// Parses the text of description `name`; false with a reason (naming the
// file) when it can't be used.
bool parseMissionDescription(const std::string& text, const std::string& name, bool campaign,
                             missionDescription& out, std::string& reason);

// Reads the file and parses it; a file that can't be opened gives the
// reason "Failed to open mission description!".
bool readMissionDescription(const std::string& path, bool campaign, missionDescription& out, std::string& reason);
