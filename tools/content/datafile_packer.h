// Packs generated files into an Allegro datafile with the `dat` tool.
// `dat` names each object after its source file and sorts objects by name,
// so sources are named "iNN_what.ext": the sorted order is the item order
// the game reads. Date and origin properties are stripped (-s1), so the
// datafile holds no build paths or times and is the same on every build.
#pragma once
#include <string>
#include <vector>

// Runs a program found on PATH with the arguments, in the directory dir,
// with its standard output discarded; throws when it fails.
void runTool(const std::vector<std::string>& argv, const std::string& dir);

struct DatafileItem {
    std::string type;  // "FONT", "BMP", "SAMP", "DATA"
    std::string file;  // source file inside the staging directory
};

// Writes target (a path) from the items, in order; their files lie in
// stagingDir and must already be named so that they sort in item order.
void packDatafile(const std::string& target, const std::string& stagingDir, const std::vector<DatafileItem>& items);

// Name of item number index, for a source file of the given stem and
// extension: "i03_dead.tga".
std::string itemFile(int index, const std::string& stem, const std::string& extension);
