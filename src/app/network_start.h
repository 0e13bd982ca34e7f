// Starts the network layer at program start and returns the number of the
// network driver to use.
#pragma once

#include <string>

int startNetwork();

// The same without ending the program: -1 and the reason when the network
// can't be started (for the headless server, which reports it itself).
int tryStartNetwork(std::string& reason);
