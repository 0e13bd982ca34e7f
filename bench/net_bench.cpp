// Reliable 64-byte messages over loopback between two connections in one
// process, polling as fast as possible: our transport with its default
// window, and ENet's reliable channel for comparison in the same run. One
// iteration is one message handed to the sender; the messages the receiver
// took are counted as items, so items per second is the delivered rate and
// CPU time per iteration the cost of one message at both ends.
#include <benchmark/benchmark.h>
#include <enet/enet.h>

#include <string>

#include "net/transport.h"

namespace {

constexpr int MESSAGE_SIZE = 64;

struct transportPair {
    NET_CONN* listener = nullptr;
    NET_CONN* server = nullptr;
    NET_CONN* client = nullptr;

    transportPair() {
        net_init();
        listener = net_openconn(NET_DRIVER_SOCKETS, nullptr);
        net_listen(listener);
        client = net_openconn(NET_DRIVER_SOCKETS, nullptr);
        net_connect(client, ("127.0.0.1:" + std::to_string(net_getlocalport(listener))).c_str());
        while (!server) server = net_poll_listen(listener);
        while (net_poll_connect(client) != 1) {
        }
    }

    ~transportPair() {
        net_closeconn(client);
        net_closeconn(server);
        net_closeconn(listener);
    }
};

void BM_TransportReliableLoopback(benchmark::State& state) {
    transportPair pair;
    char message[MESSAGE_SIZE] = {};
    char buffer[512];
    int64_t received = 0;
    int64_t sent = 0;
    auto drain = [&] {
        while (net_receive_rdm(pair.server, buffer, sizeof buffer) > 0) ++received;
    };
    for (auto _ : state) {
        // A full window waits for acknowledgements: the receiver acknowledges
        // as it polls, the sender takes them in as it polls.
        while (net_send_rdm(pair.client, message, MESSAGE_SIZE) != 0) {
            drain();
            net_query_rdm(pair.client);
        }
        ++sent;
        drain();
    }
    while (received < sent) {
        drain();
        net_query_rdm(pair.client);
    }
    state.SetItemsProcessed(received);
}
BENCHMARK(BM_TransportReliableLoopback)->Unit(benchmark::kMicrosecond)->UseRealTime();

struct enetPair {
    ENetHost* server = nullptr;
    ENetHost* client = nullptr;
    ENetPeer* peer = nullptr;

    enetPair() {
        enet_initialize();
        ENetAddress address{};
        enet_address_set_host(&address, "127.0.0.1");
        address.port = 0;
        server = enet_host_create(&address, 1, 1, 0, 0);
        enet_socket_get_address(server->socket, &address);
        enet_address_set_host(&address, "127.0.0.1");
        client = enet_host_create(nullptr, 1, 1, 0, 0);
        peer = enet_host_connect(client, &address, 1, 0);
        ENetEvent event;
        bool connected = false;
        while (!connected) {
            enet_host_service(server, &event, 1);
            if (enet_host_service(client, &event, 1) > 0 && event.type == ENET_EVENT_TYPE_CONNECT) connected = true;
        }
    }

    ~enetPair() {
        enet_host_destroy(client);
        enet_host_destroy(server);
        enet_deinitialize();
    }
};

void BM_EnetReliableLoopback(benchmark::State& state) {
    enetPair pair;
    char message[MESSAGE_SIZE] = {};
    int64_t received = 0;
    int64_t sent = 0;
    ENetEvent event;
    auto service = [&] {
        while (enet_host_service(pair.server, &event, 0) > 0) {
            if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                ++received;
                enet_packet_destroy(event.packet);
            }
        }
        while (enet_host_service(pair.client, &event, 0) > 0) {
        }
    };
    for (auto _ : state) {
        enet_peer_send(pair.peer, 0, enet_packet_create(message, MESSAGE_SIZE, ENET_PACKET_FLAG_RELIABLE));
        ++sent;
        service();
    }
    while (received < sent) service();
    state.SetItemsProcessed(received);
}
BENCHMARK(BM_EnetReliableLoopback)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
