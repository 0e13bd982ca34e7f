// Cuts every event out of arbitrary compiled-script bytes and runs it.
#include <allegro.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "script/bytecode.h"
#include "script/instruction_reader.h"
#include "script/virtual_machine.h"
#include "ui/message.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int n = static_cast<int>(size);
    findScriptEnd(data, n);
    VirtualMachine vm;
    messageClass messages(32, 7, 3, font, font, nullptr);
    vm.setMessageClass(&messages);
    char tiles[12] = {};
    vm.mapSetup(4, 3, tiles);
    vm.setObjectives(3);
    // Event 9 would write "globalScript.kvs" on every run; events 1 to 8
    // take the same path through the reader.
    for (int event = 1; event <= 8; ++event) {
        int start = 0, end = 0;
        if (findEvent(data, n, event, start, end) != eventSearch::found) continue;
        // Loading a sound from an arbitrary file name ends the program by
        // design, so events that may hold loadsound are only extracted.
        bytecode code(data, n, event);
        if (std::memchr(code.data(), 20, code.getLength()) != nullptr) continue;
        vm.run(code);
    }
    return 0;
}
