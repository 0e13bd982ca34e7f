// The usage table of content/README.md tells the truth: it has a row for
// every statement and event of the script language, and each script file a
// row names really uses that statement or event.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "content/game_folder.h"
#include "script/command_tables.h"
#include "support/test_files.h"

namespace {

// True when a line of the script, first word first, uses the word.
bool uses(const std::string& script, const std::string& word, bool event) {
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (event ? (first == "event" && second == word) : (first == word || (word.size() == 1 && first.rfind(word, 0) == 0)))
            return true;
    }
    return false;
}

}  // namespace

TEST(ContentScripts, UsageTableCoversTheLanguageAndNamesRealUses) {
    const std::string text = readFileText(sourcePath("content/README.md"));
    const std::regex row(R"(^\| `([^`]+)`(?: \(.*?\))?(?:, `([^`]+)`)? \| (.*) \|$)"), file(R"(([a-z_0-9]+\.(?:ukv|inc)))");
    std::set<std::string> events(EVENT_NAMES, EVENT_NAMES + EVENT_COUNT), rows;
    std::istringstream lines(text.substr(text.find("### Statements and events in use")));
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (!std::regex_match(line, m, row)) continue;
        for (int g : {1, 2}) {
            const std::string word = m[g];
            if (word.empty()) continue;
            rows.insert(word);
            const std::string where = m[3];
            for (std::sregex_iterator f(where.begin(), where.end(), file), end; f != end; ++f) {
                const std::string name = (*f)[1];
                EXPECT_TRUE(uses(readFileText(sourcePath("content/scripts/" + name)), word, events.count(word) > 0))
                    << name << " doesn't use " << word;
            }
        }
    }
    std::set<std::string> language(events);
    for (int i = 0; i < COMMAND_COUNT; ++i) language.insert(parse_name[i]);
    for (const char* s : {";", "event", "end", "endif", ":", "jmpif", "jmpifn", "if", "ifn", "msgendl", "def", "include",
                          "debugMsg", "logbackup"})
        language.insert(s);
    for (const std::string& word : language) EXPECT_TRUE(rows.count(word)) << "no row for " << word;
}
