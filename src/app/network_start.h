// Starts the network layer at program start and returns the number of the
// network driver to use.
#pragma once

int startNetwork();
