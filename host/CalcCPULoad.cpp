#include "host/CalcCPULoad.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "os/MainLoop.h"
#include "os/audio/AudioSystem.h"

namespace {

struct Meter {
  std::atomic<bool> processing{false};
  std::unique_ptr<std::atomic<uint64_t>[]> ring;
  std::atomic<int> ringSize{1};
  std::atomic<uint32_t> counter{0};
  double k = 0;
  std::atomic<uint64_t> begin{0};
  os::MainLoop::TimerId timer = 0;
  os::MainLoop* timerLoop = nullptr;
  bool autoStop = false;
  int limit = 100;
  void (*stop)() = nullptr;
};

Meter& M() {
  static Meter meter;
  return meter;
}

uint64_t Now() { return os::audio::AudioSystem::Current().HostTime(); }

}  // namespace

void CalcCPULoad_SetSampleRateAndBufferFrameSize(double sampleRate, uint32_t frames) {
  Meter& m = M();
  const double buffers = frames ? sampleRate / frames : 0;
  m.k = buffers / os::audio::AudioSystem::Current().HostClockFrequency();
  const int size = std::max(1, static_cast<int>(buffers / 30.0));
  // The audio thread is stopped whenever the format is applied.
  m.ring.reset(new std::atomic<uint64_t>[size]);
  for (int i = 0; i < size; ++i) m.ring[i] = 0;
  m.ringSize = size;
  m.counter = 0;
  if (!m.timer) {
    if (os::MainLoop* loop = os::MainLoop::Current()) {
      m.timerLoop = loop;
      m.timer = loop->AddTimer(100, 100, [] { CalcCPULoad_IdleTimerProc(); });
    }
  }
}

void CalcCPULoad_BeginProcess() { M().begin.store(Now(), std::memory_order_relaxed); }

void CalcCPULoad_EndProcess() {
  Meter& m = M();
  if (!m.ring) return;
  const uint32_t c = m.counter.load(std::memory_order_relaxed);
  m.ring[c % static_cast<uint32_t>(m.ringSize.load())].store(
      Now() - m.begin.load(std::memory_order_relaxed), std::memory_order_relaxed);
  m.counter.store(c + 1, std::memory_order_relaxed);
}

void CalcCPULoad_SetIsProcessing(bool processing) {
  M().processing = processing;
  M().counter = 0;
}

bool CalcCPULoad_GetIsProcessing() { return M().processing; }

int CalcCPULoad_GetCPULoad(float* load) {
  Meter& m = M();
  const int size = m.ringSize;
  if (m.processing && m.ring && m.counter >= static_cast<uint32_t>(size)) {
    if (load) {
      double sum = 0;
      for (int i = 0; i < size; ++i) sum += static_cast<double>(m.ring[i].load()) * m.k;
      *load = static_cast<float>(sum / size);
    }
    return 1;
  }
  if (load) *load = 0;
  return 0;
}

void CalcCPULoad_SetAutoStop(bool useAutoStop, int limitPercent) {
  M().autoStop = useAutoStop;
  M().limit = limitPercent;
}

void CalcCPULoad_IdleTimerProc() {
  Meter& m = M();
  float load = 0;
  CalcCPULoad_GetCPULoad(&load);
  if (m.autoStop && static_cast<int>(load * 100.0 + 0.5) >= m.limit && m.stop) {
    try {
      m.stop();
    } catch (...) {
    }
  }
}

void CalcCPULoad_SetStopHandler(void (*handler)()) { M().stop = handler; }

int CalcCPULoad_RingSize() { return M().ringSize; }

void CalcCPULoad_Reset() {
  Meter& m = M();
  if (m.timer && m.timerLoop && os::MainLoop::Current() == m.timerLoop) m.timerLoop->RemoveTimer(m.timer);
  m.timer = 0;
  m.timerLoop = nullptr;
  m.ring.reset();
  m.ringSize = 1;
  m.counter = 0;
  m.processing = false;
  m.autoStop = false;
  m.limit = 100;
  m.stop = nullptr;
}
