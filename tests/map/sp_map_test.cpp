#include "map/sp_map.h"

#include <filesystem>

#include "map_fixture.h"
#include "script/virtual_machine.h"
#include "world/entity.h"

using namespace maptest;

namespace {

// Each event appends its digit to %50, so the order of a tick reads as a number.
std::string step(int digit) { return "mul %50 10\nadd %50 " + std::to_string(digit) + "\n"; }

}  // namespace

using SPmapTest = MapTest;

// A 3 x 3 map. Row 0: floor, solidity 1, solidity 2 whose onExplode counts
// in %60. Row 1: A, B, floor; row 2: floor, C, floor. The events append
// their digits to %50: A's touch 4, leave 3; B's touch 1, enter 2, use 5;
// C's enter 7.
TEST_F(SPmapTest, MovesRunTheTileEventsInTheirOrder) {
    std::filesystem::create_directory("scripts");
    writeFileText("a.ukv", "event duringTouch\n" + step(4) + "end\nevent onLeave\n" + step(3) + "end\n");
    writeFileText("b.ukv", "event duringTouch\n" + step(1) + "end\nevent onEnter\n" + step(2) + "end\nevent onUse\n" +
                               step(5) + "end\n");
    writeFileText("c.ukv", "event onEnter\n" + step(7) + "end\n");
    writeFileText("boom.ukv", "event onExplode\nadd %60 1\nset %61 THISX\nend\n");
    mapBytes file = mapOf('S', 3, 3).plainTiles(1).plainTiles(1, 1).byte(2).byte(2).text("boom.ukv");
    file.byte(0).byte(2).text("a.ukv").byte(0).byte(2).text("b.ukv").plainTiles(2);
    std::istringstream in(file.byte(0).byte(2).text("c.ukv").plainTiles(1).str());
    VirtualMachine vm;
    SPmapClass map;
    map.readMap(in, "m", 'S', vm, [&vm](bytecode& c) { vm.compute(c); });
    const int enterLeave = SCRIPT_ENTER_LEAVE, use = SCRIPT_USE, explode = SCRIPT_EXPLODE;
    struct row { const char* what; float oldX, oldY, newX, newY; int scripts, rights, use, order; bool declined; };
    const row rows[] = {
        {"standing: touch", 10, 40, 10, 40, enterLeave, 1, 0, 4, false},
        {"standing with the use flag", 40, 40, 40, 40, enterLeave | use, 1, 0, 15, false},
        {"walking within a tile: touch only", 10, 40, 12, 41, enterLeave, 1, 0, 4, false},
        {"crossing: touch, enter the new, leave the old", 30, 40, 34, 40, enterLeave, 1, 0, 123, false},
        {"crossing without the entering bit (an enemy)", 34, 40, 30, 40, 0, 1, 0, 0, false},
        {"use on a move", 40, 40, 44, 40, enterLeave | use, 1, 1, 155, false},
        {"stopped at the edge: the old tile's touch, no enter", 48, 60, 48, 90, enterLeave, 1, 0, 1, true},
        {"standing off the map: nothing", -500, 40, -500, 40, enterLeave, 1, 0, 0, false},
        {"from off the map onto it: touch", -500, -500, 10, 40, enterLeave, 1, 0, 4, false},
        {"solidity 1 stops the player", 16, 16, 46, 16, enterLeave, 1, 0, 0, true},
        {"a bullet passes solidity 1", 16, 16, 46, 16, explode, 2, 0, 0, false},
        {"solidity 2 stops a bullet", 40, 16, 70, 16, 0, 2, 0, 0, true},
        {"a splintering bullet sets off onExplode", 40, 16, 70, 16, explode, 2, 0, 0, true},
        {"a grenade passes solidity 2", 40, 16, 70, 16, explode, 3, 0, 0, false},
        {"declined by solidity 1: use, touch, the flag's use", 40, 40, 40, 10, enterLeave | use, 1, 1, 515, true},
        {"far off the map: declined, tiles unread", 40, 40, -500, 1e30f, enterLeave | explode, 3, 0, 1, true},
    };
    moveRequest last;
    for (const row& r : rows) {
        vm.variables[50] = 0;
        last.set(r.oldX, r.oldY, r.newX, r.newY, r.scripts, r.rights, 8);
        last.requested = r.oldX != r.newX || r.oldY != r.newY;  // standing still is no move
        map.handleMoveRequest(&last, vm, r.use);
        EXPECT_EQ(vm.variables[50], r.order) << r.what;
        EXPECT_EQ(last.wasDeclined(), r.declined) << r.what;
    }
    EXPECT_EQ(last.getNewPosX(), 40);
    EXPECT_EQ(std::make_pair(vm.variables[60], vm.variables[61]), std::make_pair(1, 2)) << "one explosion at column 2";
    map.handleMoveRequest(nullptr, vm, 1);
}
