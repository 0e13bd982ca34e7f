// A script error met while running compiled code. The machine stops the run
// and reports the text through errors::scriptError.
#pragma once

#include <string>

struct scriptFault {
    std::string text;
    std::string notice;  // shown in a message box before the error, if any
};
