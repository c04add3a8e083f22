#pragma once
// A hosted component for the MIDI manager's tests: it records the MIDI
// events it is played and every call of its operation table, lets tests
// wait for them on simulated time, and can refuse the handshake or the
// host callbacks.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/HostedComponent.h"
#include "host/TalvikHostHandshake.h"
#include "os/Monitor.h"

namespace vesk::test {

class FakeComponent : public HostedComponent, public TalvikComponentInterface {
 public:
  struct Event {
    uint32_t status, data1, data2, offset;
    bool operator==(const Event&) const = default;
  };
  struct Call {
    std::string op;
    Endpoint source = 0;
    int a = 0, b = 0, c = 0;
    bool operator==(const Call&) const = default;
  };

  bool acceptHandshake = true;
  int32_t hostCallbacksStatus = 0;
  unsigned char controllerChannel = 1;
  std::function<void()> onQueryChannel;

  // What the handshake carried on entry.
  TalvikHostHandshake seen{};
  bool handshakeSeen = false;
  ITALVIKHOST_talvikvstinterface1* host = nullptr;
  HostCallbackInfo callbacks{};

  int32_t SetProperty(uint32_t id, uint32_t scope, uint32_t element, const void* data,
                      uint32_t size) override {
    if (id == TalvikHostHandshake::kProperty) {
      if (!acceptHandshake) return kErrInvalidProperty;
      TalvikHostHandshake* record;
      std::memcpy(&record, data, sizeof record);
      seen = *record;
      handshakeSeen = true;
      return TalvikHostHandshake::AcceptOnComponent(data, size, this, &host);
    }
    if (id == kPropertyHostCallbacks && scope == kGlobalScope && element == 0) {
      if (hostCallbacksStatus) return hostCallbacksStatus;
      std::memcpy(&callbacks, data, sizeof callbacks);
      return 0;
    }
    return kErrInvalidProperty;
  }

  int32_t MIDIEvent(uint32_t status, uint32_t d1, uint32_t d2, uint32_t offset) override {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    events.push_back({status, d1, d2, offset});
    monitor.NotifyAll();
    return 0;
  }

  void QueryControllerChannel(unsigned char* channel) override {
    Record({"QueryControllerChannel"});
    if (onQueryChannel) onQueryChannel();
    *channel = controllerChannel;
  }
  void ControllerAttached(int model, Endpoint s) override { Record({"Attached", s, model}); }
  void ControllerDetached(Endpoint s) override { Record({"Detached", s}); }
  void ControllerMessage3(Endpoint s, int id, int v) override { Record({"M3", s, id, v}); }
  void ControllerMessage4(Endpoint s, int a, int b) override { Record({"M4", s, a, b}); }
  void ControllerMessage5(Endpoint s, int a, int b, int c) override { Record({"M5", s, a, b, c}); }
  void ControllerMessage7(Endpoint s, bool f, int v) override { Record({"M7", s, f, v}); }
  void ControllerMessage8(Endpoint s, int id, bool f) override { Record({"M8", s, id, f}); }
  void ControllerMessage11(Endpoint s, int a, int b) override { Record({"M11", s, a, b}); }
  void ControllerMessage6(Endpoint s, bool f, int v) override { Record({"M6", s, f, v}); }
  void BankOpen() override { Record({"BankOpen"}); }
  void BankSaveAs() override { Record({"BankSaveAs"}); }
  void PresetImport() override { Record({"PresetImport"}); }
  void PresetExport() override { Record({"PresetExport"}); }
  void SetKnobMode(int mode) override { Record({"KnobMode", 0, mode}); }

  std::vector<Event> Events() {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    return events;
  }
  std::vector<Call> Calls() {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    return calls;
  }
  bool WaitEvents(size_t n, uint64_t ms = 1000) {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    return monitor.WaitFor(lock, ms, [&] { return events.size() >= n; });
  }
  bool WaitCalls(size_t n, uint64_t ms = 1000) {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    return monitor.WaitFor(lock, ms, [&] { return calls.size() >= n; });
  }
  void Clear() {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    events.clear();
    calls.clear();
  }

 private:
  void Record(Call c) {
    std::unique_lock<std::mutex> lock(monitor.mutex());
    calls.push_back(std::move(c));
    monitor.NotifyAll();
  }
  os::Monitor monitor;
  std::vector<Event> events;
  std::vector<Call> calls;
};

}  // namespace vesk::test
