// A QUIT whose first datagram is lost still reaches the peer after the game
// has closed its connection, as long as some loop runs: every pass of the
// loop driver (the menus' too) advances closed connections.
#include "app/helpers.h"
#include "app/pacer.h"
#include "net_test_support.h"

namespace {

struct idleScreen : pacedScreen {
    bool step() override { return true; }
    void draw() override {}
};

}  // namespace

TEST_F(NetTransport, LoopPassesResendTheLastMessageOfAClosedConnection) {
    rawSession session;
    ASSERT_TRUE(session.server);
    const char quit = 6;
    net_send_rdm(session.server, &quit, 1);
    std::vector<unsigned char> lost;
    ASSERT_TRUE(session.peer.receive(lost));  // not acknowledged: as if lost
    net_closeconn(session.server);
    session.server = nullptr;

    advanceClock(600);
    idleScreen menu;
    timerCounter = 0;
    pacedPass(menu, pacing{}, [](int) {});
    std::vector<unsigned char> resent;
    ASSERT_TRUE(session.peer.receive(resent, 200));
    EXPECT_EQ(resent, lost);
}
