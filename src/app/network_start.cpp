#include "app/network_start.h"

#include "app/errors.h"
#include "net/transport.h"

// Brings the transport up, reads "libnet.cfg" when there is one and takes
// the first working driver of the Internet class.
int startNetwork() {
    if (net_init() != 0) errors::networkError("Failed to initialise network code!");
    net_loadconfig(nullptr);
    NET_DRIVERNAME* names = net_getdrivernames(net_detectdrivers(NET_CLASS_INET));
    const int driver = names[0].num;
    delete[] names;
    if (driver < 0 || !net_initdriver(driver)) errors::networkError("No network driver found!");
    return driver;
}
