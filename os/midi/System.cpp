#include "os/midi/System.h"

#include <atomic>

namespace os::midi {
namespace {

class EmptySystem : public System {
 public:
  size_t SourceCount() override { return 0; }
  EndpointId Source(size_t) override { return 0; }
  size_t DestinationCount() override { return 0; }
  EndpointId Destination(size_t) override { return 0; }
  Status GetProperty(EndpointId, Property, std::string*) override { return kErrNoSuchEndpoint; }
  Status CreateClient(const std::string&, std::unique_ptr<Client>*) override {
    return kErrNoService;
  }
};

std::atomic<System*> g_installed{nullptr};

}  // namespace

System& System::Current() {
  static EmptySystem empty;
  System* s = g_installed.load(std::memory_order_acquire);
  return s ? *s : empty;
}

System* System::Install(System* system) {
  return g_installed.exchange(system, std::memory_order_acq_rel);
}

void System::Uninstall(System* system) {
  System* expected = system;
  g_installed.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
}

}  // namespace os::midi
