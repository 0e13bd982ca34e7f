// The message buffer through which every game message is built, sent,
// received and parsed: one message per reliable message of the transport.
//
// Reads are bounded by the length of the message held: a read past its end
// yields zero bytes and marks the packet as overrun, so that a message
// shorter than its layout is recognised as malformed (see ok()). Writes past
// the 512-byte buffer are refused the same way, and an overrun packet is
// never sent.
#pragma once

struct NET_CONN;

constexpr int PACKET_SIZE = 512;

class packet {
public:
    char* data;    // the message bytes, PACKET_SIZE of them
    int position;  // read/write cursor; while building, the message length
    int size;      // capacity of data
    int length;    // length of the message being read

    packet();
    ~packet();
    packet(const packet&) = delete;
    packet& operator=(const packet&) = delete;

    // Starts building a message.
    void reset();
    void put(char c);
    void write(const char* p, int n);

    char get();
    void read(char* p, int n);

    // Sends the message built so far; an empty or overrun one is not sent.
    // The packet is left as it is, so it can go to several connections.
    void send(NET_CONN* c);

    // Receives the next waiting message and returns its length, or 0 when
    // none waits. A message larger than the buffer is discarded by the
    // transport and skipped. Afterwards the message is read from the start.
    int receive(NET_CONN* c);

    // Takes `n` bytes as a received message, as receive() does; false (and
    // an empty message) when they don't fit.
    bool assign(const char* bytes, int n);

    // False once a read went past the message's end or a write past the
    // buffer's end.
    bool ok() const { return !overrun; }

private:
    bool overrun;
};
