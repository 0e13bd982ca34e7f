// One picture showing every generated graphic with its file name (and
// item number inside datafiles), for reviewers.
#pragma once
#include <string>

#include "catalogue.h"

void writeContactSheet(const Catalogue& catalogue, const std::string& path);
