#include "os/HardwareAddress.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <netpacket/packet.h>
#include <sys/socket.h>

#include <algorithm>

namespace os {

std::vector<NetworkInterface> ListNetworkInterfaces() {
  std::vector<NetworkInterface> out;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return out;
  for (ifaddrs* it = list; it; it = it->ifa_next) {
    if (!it->ifa_addr || it->ifa_addr->sa_family != AF_PACKET) continue;
    const auto* ll = reinterpret_cast<const sockaddr_ll*>(it->ifa_addr);
    NetworkInterface ni;
    ni.name = it->ifa_name ? it->ifa_name : "";
    ni.index = ll->sll_ifindex;
    ni.loopback = (it->ifa_flags & IFF_LOOPBACK) != 0 || ll->sll_hatype == ARPHRD_LOOPBACK;
    ni.ethernet = ll->sll_hatype == ARPHRD_ETHER && !ni.loopback;
    const size_t len = std::min<size_t>(ll->sll_halen, sizeof ll->sll_addr);
    ni.address.assign(ll->sll_addr, ll->sll_addr + len);
    out.push_back(std::move(ni));
  }
  freeifaddrs(list);
  return out;
}

std::optional<std::array<unsigned char, 6>> PrimaryHardwareAddress(const std::vector<NetworkInterface>& interfaces) {
  const NetworkInterface* best = nullptr;
  for (const NetworkInterface& ni : interfaces) {
    if (!ni.ethernet || ni.address.size() != 6) continue;
    if (std::all_of(ni.address.begin(), ni.address.end(), [](unsigned char b) { return b == 0; })) continue;
    if (!best || ni.index < best->index) best = &ni;
  }
  if (!best) return std::nullopt;
  std::array<unsigned char, 6> a{};
  std::copy(best->address.begin(), best->address.end(), a.begin());
  return a;
}

}  // namespace os
