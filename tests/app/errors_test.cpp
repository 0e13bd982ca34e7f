#include "app/errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Each report shows its whole text on standard error and ends the program
// with status 0; placeholders inside arguments are shown literally. The
// sample and plain reports are checked by the tests of their users.
TEST(ErrorsTest, EveryReportShowsItsTextAndAllButDivisionByZeroEndWithStatusZero) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { errors::timerError(); }, "Error001: Timer could not be initialised"},
        {[] { errors::keyboardError(); }, "Error002: No keyboarddriver found"},
        {[] { errors::soundDriverError(); }, "Error003: Sound driver could not be initialised"},
        {[] { errors::graphicModeError(); }, "Error004: Graphic mode couldn't be set"},
        {[] { errors::createError(); }, "Error005: Creating bitmap failed"},
        {[] { errors::loadBitError("gfx/a.tga"); }, "Error006: Loading bitmap \"gfx/a.tga\" failed"},
        {[] { errors::datafileError("data/data.dat"); }, "Error007: Loading datafile \"data/data.dat\" failed"},
        {[] { errors::mapLoadError("%s", "x"); }, "Error010: Could not load map \"%s\" for the following reason:\nx"},
        {[] { errors::tilesetLoadError("t", "x"); },
         "Error011: Could not load tileset \"t\" for the following reason:\nx"},
        {[] { errors::scriptError("100%s %d done"); }, "Error012: Script error:\n100%s %d done"},
        {[] { errors::editorError("No map"); }, "Error013: Editor error:\nNo map"},
        {[] { errors::networkError("No driver"); }, "Error014: Network error:\nNo driver"},
        {[] { errors::multiplayerError("Bad map"); }, "Error015: Multiplayer mode error:\nBad map"},
        {[] { errors::mouseError(); }, "Error016: Failed to initialise mouse"},
    };
    for (const auto& [report, text] : cases)
        EXPECT_EXIT(report(), testing::ExitedWithCode(0), testing::Eq(text + "\n")) << text;
    // The division by zero report returns to its caller.
    testing::internal::CaptureStderr();
    errors::divBy0Error("VirtualMachine");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error009: A division by 0 error was prevented in the following modul:\n\"VirtualMachine\"\n");
}
