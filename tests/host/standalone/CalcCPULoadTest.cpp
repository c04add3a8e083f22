// The render load meter and the automatic stop.
#include "host/CalcCPULoad.h"

#include <gtest/gtest.h>

#include "tests/host/standalone/StandaloneFixture.h"

namespace vesk::test {
namespace {

class CPULoad : public StandaloneFixture {
 protected:
  // One render call of the given share of a buffer's real time.
  void Render(double share, double rate, uint32_t frames) {
    CalcCPULoad_BeginProcess();
    audio.AdvanceHostTime(static_cast<uint64_t>(share * frames / rate * 1e9 + 0.5));
    CalcCPULoad_EndProcess();
  }
  static int stops;
  static void Stop() { ++stops; }
};
int CPULoad::stops = 0;

TEST_F(CPULoad, TheRingHoldsAThirtiethOfASecondOfBuffers) {
  CalcCPULoad_SetSampleRateAndBufferFrameSize(44100, 512);
  EXPECT_EQ(CalcCPULoad_RingSize(), 2);
  CalcCPULoad_SetSampleRateAndBufferFrameSize(44100, 4096);
  EXPECT_EQ(CalcCPULoad_RingSize(), 1);
  CalcCPULoad_SetSampleRateAndBufferFrameSize(192000, 32);
  EXPECT_EQ(CalcCPULoad_RingSize(), 200);
}

TEST_F(CPULoad, ALoadIsReportedOnlyOnceTheRingIsFullAfterTheStart) {
  // Before any format: nothing is measured.
  CalcCPULoad_EndProcess();
  CalcCPULoad_SetSampleRateAndBufferFrameSize(44100, 512);
  CalcCPULoad_SetIsProcessing(true);
  float load = -1;
  Render(0.25, 44100, 512);
  EXPECT_EQ(CalcCPULoad_GetCPULoad(&load), 0);
  EXPECT_EQ(load, 0.0f);
  Render(0.75, 44100, 512);
  EXPECT_EQ(CalcCPULoad_GetCPULoad(&load), 1);
  EXPECT_NEAR(load, 0.5, 1e-4);
  EXPECT_EQ(CalcCPULoad_GetCPULoad(nullptr), 1);
  // A new start empties the ring again.
  CalcCPULoad_SetIsProcessing(true);
  EXPECT_EQ(CalcCPULoad_GetCPULoad(&load), 0);
  CalcCPULoad_SetIsProcessing(false);
  Render(0.5, 44100, 512);
  Render(0.5, 44100, 512);
  EXPECT_EQ(CalcCPULoad_GetCPULoad(&load), 0);
}

TEST_F(CPULoad, TheAutomaticStopComparesTheRoundedPercentageWithTheLimit) {
  stops = 0;
  CalcCPULoad_SetStopHandler(&Stop);
  CalcCPULoad_SetSampleRateAndBufferFrameSize(44100, 4096);
  CalcCPULoad_SetIsProcessing(true);
  struct Case {
    bool on;
    int limit;
    double load;
    bool stops;
  };
  const Case cases[] = {{true, 100, 0.994, false}, {true, 100, 0.9951, true}, {true, 80, 0.7949, false},
                        {true, 80, 0.7951, true},  {false, 80, 1.5, false}};
  for (const Case& c : cases) {
    stops = 0;
    CalcCPULoad_SetAutoStop(c.on, c.limit);
    Render(c.load, 44100, 4096);
    CalcCPULoad_IdleTimerProc();
    EXPECT_EQ(stops == 1, c.stops) << c.limit << " " << c.load;
  }
}

}  // namespace
}  // namespace vesk::test
