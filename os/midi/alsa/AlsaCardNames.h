#pragma once
// Maker and model of a sound card from the names its driver gives it. A
// USB card's long name reads "<maker> <product> at <bus path>, <speed>"
// (the maker left out when the device names none) and its short name is
// the product, so the maker is what stands before " <short name> at ".
#include <optional>
#include <string>

namespace os::midi {

struct AlsaCardNames {
  std::optional<std::string> manufacturer;
  std::optional<std::string> model;

  static AlsaCardNames From(const std::string& shortName, const std::string& longName);
};

}  // namespace os::midi
