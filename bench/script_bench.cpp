// Compiler throughput and virtual machine speed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "script/bytecode.h"
#include "script/compiler.h"
#include "script/virtual_machine.h"

namespace {

// A working directory for the compiler's files, removed afterwards.
class benchDir {
public:
    benchDir() : previous(std::filesystem::current_path()) {
        char pattern[] = "/tmp/korvalt-bench-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        dir = pattern;
        std::filesystem::current_path(dir);
    }
    ~benchDir() {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

private:
    std::filesystem::path previous;
    std::string dir;
};

// About one megabyte of source: one global event of mixed statements.
std::string megabyteSource() {
    std::string source = "; generated\ndef %40 COUNTER\nevent global\n";
    while (source.size() < (1u << 20)) {
        source += "add COUNTER 1\nsmaller COUNTER 1000\nif ZFLAG\n msg Counter is\n msgvar COUNTER\n endl\nendif\n"
                  "set %41 -12345 ; comment\ngraphic 1 2 3\n";
    }
    return source + "end\n";
}

// One event of exactly 1000 executed instructions: arithmetic, comparisons
// and entered if blocks.
bytecode thousandInstructionEvent() {
    std::vector<unsigned char> script{0x01, 9};
    auto add = [&](std::initializer_list<unsigned char> b) { script.insert(script.end(), b); };
    for (int i = 0; i < 125; ++i) {
        add({6, 0x0F, 40, 0x10, 3, 0, 0, 0});     // add %40 3
        add({24, 0x0F, 40, 0x10, 0, 1, 0, 0});    // smaller %40 256
        add({8, 0x0F, 10});                       // if TRUE
        add({7, 0x0F, 41, 0x0F, 40});             // sub %41 %40
        add({26, 0x0F, 42, 0x10, 3, 0, 0, 0});    // mul %42 3
        add({25, 0x0F, 41, 0x10, 7, 0, 0, 0});    // equal %41 7
        add({27, 0x0F, 42, 0x10, 2, 0, 0, 0});    // div %42 2
        add({0xFD});                              // endif
    }
    add({0xFE, 0xFF});
    return bytecode(script.data(), static_cast<int>(script.size()), 9);
}

void BM_CompileOneMegabyte(benchmark::State& state) {
    benchDir dir;
    std::ofstream("bench.ukv") << megabyteSource();
    const auto bytes = std::filesystem::file_size("bench.ukv");
    std::vector<unsigned char> buffer(bytes * 2);
    for (auto _ : state) {
        int size = static_cast<int>(buffer.size());
        if (!compile("bench.ukv", "", buffer.data(), &size)) state.SkipWithError("compilation failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_CompileOneMegabyte)->Unit(benchmark::kMillisecond);

void BM_ThousandInstructionEvent(benchmark::State& state) {
    benchDir dir;  // extracting a global event writes "globalScript.kvs"
    bytecode code = thousandInstructionEvent();
    VirtualMachine vm;
    for (auto _ : state) {
        vm.variables[40] = 0;
        vm.compute(code);
    }
    benchmark::DoNotOptimize(vm.variables[42]);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1000);
}
BENCHMARK(BM_ThousandInstructionEvent);

void BM_EventDispatch(benchmark::State& state) {
    std::vector<unsigned char> script{0x01, 7, 4, 0x0F, 40, 0xFE, 0xFF};  // inc %40
    bytecode code(script.data(), static_cast<int>(script.size()), 7);
    VirtualMachine vm;
    for (auto _ : state) vm.compute(code);
    benchmark::DoNotOptimize(vm.variables[40]);
}
BENCHMARK(BM_EventDispatch);

}  // namespace
