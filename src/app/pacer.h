// One loop driver for every screen and mode (menus, intro, mission, editor,
// server, client). A screen gives a logic step and a frame; the driver runs
// steps as the tick counter asks and draws when it has caught up. Screens
// differ only in their pacing, so a test can drive any of them tick by tick
// through the same two calls without a timer.
#pragma once

class pacedScreen {
public:
    virtual ~pacedScreen() = default;
    // One logic step; false ends the loop.
    virtual bool step() = 0;
    // One frame into the back buffer and onto the screen.
    virtual void draw() = 0;
};

struct pacing {
    // Logic steps run before a frame is drawn; the rest of the backlog is
    // then dropped. Menus and the editor use 1, the game loops maxFrameSkip.
    int maxSteps = 1;
    // Milliseconds slept on each pass of the loop.
    int restMs = 1;
    // Menus draw on every pass; the game loops only after a step.
    bool drawEveryPass = false;
};

// Runs the screen until its step returns false; a last frame is drawn when
// the final pass ran a step.
void runPaced(pacedScreen& screen, const pacing& how);

// One pass of the loop: sleeps, advances closed network connections that
// still deliver their last messages, runs the due steps and draws. Returns false
// once a step ended the screen. The sleep function is passed in so tests
// can run passes without waiting.
bool pacedPass(pacedScreen& screen, const pacing& how, void (*sleepMs)(int));
