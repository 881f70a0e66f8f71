// lanprobe: searches the LAN the way the configurator does and prints the
// list row of every device found, in the table's order. It broadcasts, so it
// runs only inside a network namespace of its own: tools/lan run -- lanprobe.

#include <exception>
#include <iostream>

#include "link/UdpEndpoint.h"
#include "link/Udpdev.h"
#include "tools/common/NetGuard.h"

int main()
{
    if (!quor::tools::InSeparateNetNamespace()) {
        std::cerr << "lanprobe: will not broadcast on the machine's own network; run it with tools/lan run\n";
        return 2;
    }
    try {
        quor::UdpEndpoint udp;
        quor::UdpDevSet devices(udp);
        devices.Search();
        for (int i = 0; i < devices.Count; ++i)
            std::cout << devices.Dev[i].ListRow() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "lanprobe: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
