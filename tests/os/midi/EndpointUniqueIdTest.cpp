#include <gtest/gtest.h>

#include <set>

#include "os/midi/EndpointUniqueId.h"

namespace {

using os::midi::EndpointUniqueId;

TEST(EndpointUniqueId, TheSamePortGetsTheSameIdAndEveryPartCounts) {
  const int32_t id = EndpointUniqueId::Of("alsa", "Vesk", "Vesk MIDI 1", true);
  EXPECT_EQ(EndpointUniqueId::Of("alsa", "Vesk", "Vesk MIDI 1", true), id);
  std::set<int32_t> ids = {
      id,
      EndpointUniqueId::Of("alsa", "Vesk", "Vesk MIDI 1", false),
      EndpointUniqueId::Of("jack", "Vesk", "Vesk MIDI 1", true),
      EndpointUniqueId::Of("alsa", "Vesk2", "Vesk MIDI 1", true),
      EndpointUniqueId::Of("alsa", "Vesk", "Vesk MIDI 2", true),
      // The parts are kept apart: moving a letter from one to the next is another port.
      EndpointUniqueId::Of("alsa", "Ves", "kVesk MIDI 1", true),
  };
  EXPECT_EQ(ids.size(), 6u);
  EXPECT_EQ(ids.count(0), 0u);
  EXPECT_EQ(EndpointUniqueId::Text(-42), "-42");
}

}  // namespace
