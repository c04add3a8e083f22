#pragma once
// The machine's network interfaces as far as a hardware address goes.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace os {

struct NetworkInterface {
  std::string name;
  int index = 0;
  bool ethernet = false;  // link type is Ethernet (not loopback, not a tunnel)
  bool loopback = false;
  std::vector<unsigned char> address;  // link-layer address
};

// The interfaces the system lists, in its order.
std::vector<NetworkInterface> ListNetworkInterfaces();

// The primary Ethernet interface's 6-byte address: the Ethernet interface of
// the lowest index whose address is six bytes and not all zero. None when
// there is no such interface.
std::optional<std::array<unsigned char, 6>> PrimaryHardwareAddress(const std::vector<NetworkInterface>& interfaces);

}  // namespace os
