#include "app/network_start.h"

#include "app/errors.h"
#include "net/transport.h"

// Brings the transport up, reads "libnet.cfg" when there is one and takes
// the first working driver of the Internet class.
int tryStartNetwork(std::string& reason) {
    if (net_init() != 0) {
        reason = "Failed to initialise network code!";
        return -1;
    }
    net_loadconfig(nullptr);
    NET_DRIVERNAME* names = net_getdrivernames(net_detectdrivers(NET_CLASS_INET));
    const int driver = names[0].num;
    delete[] names;
    if (driver < 0 || !net_initdriver(driver)) {
        reason = "No network driver found!";
        return -1;
    }
    return driver;
}

int startNetwork() {
    std::string reason;
    const int driver = tryStartNetwork(reason);
    if (driver < 0) errors::networkError(reason);
    return driver;
}
