#include "net/headless_server.h"

#include <allegro.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/constants.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "app/network_start.h"
#include "app/savegame.h"
#include "net/server_game.h"
#include "net/transport.h"
#include "platform/clock.h"

namespace {

constexpr int HEADLESS_FRAME_SKIP = 4;  // ticks caught up at once before the backlog is dropped
constexpr int REST_MS = 5;
constexpr uint32_t DRAIN_MS = 4000;     // longest wait for the last messages to be delivered

volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int) { stopSignal = 1; }

void printStamped(const std::string& line) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::printf("%s %s\n", stamp, line.c_str());
    std::fflush(stdout);
}

int startFailure(const std::string& reason) {
    std::fprintf(stderr, "korvalt server: %s\n", reason.c_str());
    return 1;
}

void sleepMs(int ms) {
    const timespec pause{0, ms * 1000000L};
    nanosleep(&pause, nullptr);
}

// Counts the ticks the system clock has passed since the start.
class clockTicker {
public:
    int due() {
        const uint64_t elapsed = monotonicMilliseconds() - start;
        const int ticks = static_cast<int>(elapsed * TIMER_FPS / 1000);
        const int fresh = ticks - counted;
        counted = ticks;
        return fresh;
    }

private:
    uint32_t start = monotonicMilliseconds();
    int counted = 0;
};

bool parseSlots(const char* text, int& slots) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || value < 1 || value > MAX_SLOTS) return false;
    slots = static_cast<int>(value);
    return true;
}

// Lets closed connections resend their last messages until the peers have
// them or the wait is over.
void drainLingering() {
    const uint32_t start = monotonicMilliseconds();
    while (net_poll_lingering() > 0 && monotonicMilliseconds() - start < DRAIN_MS) sleepMs(REST_MS);
}

}  // namespace

int runHeadlessServer(int argc, char** argv) {
    const std::string mapName = argc > 2 ? argv[2] : "testmap";
    int slots = MAX_SLOTS;
    if (!isPlainMapName(mapName)) return startFailure("Map name \"" + mapName + "\" is not a file name in mpmaps/");
    if (argc > 3 && !parseSlots(argv[3], slots)) return startFailure("Slots must be a number from 1 to 8");

    // Memory bitmaps and datafiles (the tile set) work without a system
    // driver; Allegro's timer and display would not.
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return startFailure("Allegro could not be started");
    set_color_depth(32);
    std::string reason;
    global.netDriver = tryStartNetwork(reason);
    if (global.netDriver < 0) return startFailure(reason);

    serverOptions options;
    options.mapName = mapName;
    options.maxPlayers = slots;
    options.headless = true;
    options.logSink = printStamped;
    try {
        serverMultiplayerGame server(options);
        std::signal(SIGINT, onStopSignal);
        std::signal(SIGTERM, onStopSignal);
        printStamped("Server started: map " + mapName + ", " + std::to_string(slots) + " slots, port " +
                     std::to_string(server.listenPort()));
        pacing how;
        how.maxSteps = HEADLESS_FRAME_SKIP;
        how.restMs = REST_MS;
        server.maxSteps = how.maxSteps;
        clockTicker ticker;
        timerCounter = 0;
        do {
            timerCounter += ticker.due();
            if (stopSignal) {
                server.requestStop();
                if (timerCounter < 1) timerCounter = 1;
            }
        } while (pacedPass(server, how, sleepMs));
        drainLingering();
        printStamped("Server stopped.");
    } catch (const serverStartFault& fault) {
        return startFailure(fault.line());
    }
    return 0;
}
