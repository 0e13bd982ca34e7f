// The map creator: writes a new, empty map from a small description file.
#pragma once

#include <string>

void newMap(std::string descriptionFile);
