// Numbered fatal error reports. Each one leaves graphics mode, writes its
// text to standard error, shows it in a message box the user has to close,
// and ends the process with status 0. Only divBy0Error returns.
#pragma once

#include <string>

namespace errors {

[[noreturn]] void timerError();
[[noreturn]] void keyboardError();
[[noreturn]] void soundDriverError();
[[noreturn]] void graphicModeError();
[[noreturn]] void createError();
[[noreturn]] void loadBitError(std::string name);
[[noreturn]] void datafileError(std::string name);
[[noreturn]] void sampleLoadError(std::string name);
void divBy0Error(std::string module);
[[noreturn]] void mapLoadError(std::string map, std::string reason);
[[noreturn]] void tilesetLoadError(std::string tileset, std::string reason);
[[noreturn]] void scriptError(std::string text);
[[noreturn]] void editorError(std::string text);
[[noreturn]] void networkError(std::string text);
[[noreturn]] void multiplayerError(std::string text);
[[noreturn]] void mouseError();
[[noreturn]] void fatalError(std::string text);

}  // namespace errors
