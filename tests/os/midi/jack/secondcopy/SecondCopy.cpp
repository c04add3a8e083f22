#include "tests/os/midi/jack/secondcopy/SecondCopy.h"

#include <cstring>
#include <memory>
#include <string>

#include "os/midi/jack/JackDevice.h"
#include "os/midi/jack/JackProcess.h"
#include "os/midi/jack/JackSystem.h"

namespace {

using namespace os::midi;

struct Second {
  std::unique_ptr<JackSystem> system;
  std::unique_ptr<Client> client;
  std::unique_ptr<InputPort> in;
};

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int vesk_second_copy_shares_state() {
  return JackProcess::SharedWithAnotherCopy() ? 1 : 0;
}

__attribute__((visibility("default"))) void* vesk_second_copy_open(const char* name, char* client,
                                                                    int clientSize) {
  auto s = std::make_unique<Second>();
  std::string why;
  s->system = JackSystem::Open(name, &why);
  if (!s->system) return nullptr;
  if (s->system->CreateClient("MIDIClient", &s->client) != kOk ||
      s->client->CreateInputPort("Input Port", [](const PacketList&) {}, &s->in) != kOk)
    return nullptr;
  std::snprintf(client, static_cast<size_t>(clientSize), "%s", s->system->ClientName().c_str());
  return s.release();
}

__attribute__((visibility("default"))) int vesk_second_copy_lists(void* system,
                                                                   const char* deviceName) {
  JackSystem& sys = *static_cast<Second*>(system)->system;
  int n = 0;
  for (bool sources : {true, false}) {
    const size_t count = sources ? sys.SourceCount() : sys.DestinationCount();
    for (size_t i = 0; i < count; ++i) {
      std::string v;
      sys.GetProperty(sources ? sys.Source(i) : sys.Destination(i), Property::kDeviceName, &v);
      n += v == deviceName;
    }
  }
  return n;
}

__attribute__((visibility("default"))) void vesk_second_copy_churn_devices(const char* name,
                                                                           int times) {
  for (int i = 0; i < times; ++i) {
    JackDevice::Desc d;
    d.clientName = name;
    d.manufacturer = "Maker";
    d.model = "Churn";
    std::string why;
    JackDevice::Open(d, &why);
  }
}

__attribute__((visibility("default"))) void vesk_second_copy_close(void* system) {
  delete static_cast<Second*>(system);
}

}  // extern "C"
