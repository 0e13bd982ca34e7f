// Map tests run in a scratch folder with a screen buffer and one tile set,
// "t.dat": tile t has solidity t, tiles 1 and 2 animate into each other.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "app/globals.h"
#include "map/map_file.h"
#include "map_test_files.h"
#include "support/test_files.h"

namespace maptest {

// Fields 1 to 7 of a map of width x height tiles on "t.dat".
inline mapBytes mapOf(char type, int width = 1, int height = 1) {
    return mapBytes().header(type, "t.dat", width, height);
}

// The reason read gives for refusing data; "" when it takes it.
inline std::string faultOf(const std::string& data, const std::function<void(std::istream&)>& read) {
    std::istringstream in(data);
    try {
        read(in);
    } catch (const mapFault& fault) {
        return fault.reason;
    }
    return "";
}

class MapTest : public testing::Test {
protected:
    void SetUp() override {
        global.buffer = create_bitmap(800, 600);
        writeTileset("t.dat", {0, 1, 2, 3}, {0, 2, 1, 3});
    }
    void TearDown() override {
        destroy_bitmap(global.buffer);
        global.buffer = nullptr;
    }
    scopedWorkDir dir;
};

}  // namespace maptest
