#include "site/DeviceSearch.h"

#include <stdexcept>
#include <string>

namespace quor::site {

UdpDev* FindFound(UdpDevSet& devices, std::string_view key)
{
    for (int i = 0; i < devices.Count; ++i) {
        UdpDev& dev = devices.Dev[i];
        if (DevName(dev.Id) == key || dev.IpText() == key)
            return &dev;
    }
    return nullptr;
}

UdpDev* FindById(UdpDevSet& devices, uint32_t id)
{
    for (int i = 0; i < devices.Count; ++i)
        if (devices.Dev[i].Id == id)
            return &devices.Dev[i];
    return nullptr;
}

UdpDev& SearchFor(UdpDevSet& devices, std::string_view key)
{
    devices.Search();
    if (UdpDev* dev = FindFound(devices, key))
        return *dev;
    throw std::runtime_error("no device " + std::string(key) + " answered the search");
}

}  // namespace quor::site
