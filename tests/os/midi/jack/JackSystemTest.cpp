// The JACK backend against a real JACK server (start a synchronous one:
// "jackd -S -t 200 -d dummy", as .ci/run does; the tests skip without one).
// On an asynchronous server a client that a loaded machine runs late has
// its missed cycles run back to back and whoever it feeds reads its port
// twice, which these tests would take for the backend's fault; the tests of
// that run against an asynchronous server of their own. A JackDevice in the same
// process stands for the instrument: it is a JACK client of its own, so
// every byte crosses the server.
#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "os/Clock.h"
#include "os/midi/jack/JackDevice.h"
#include "os/midi/jack/JackSystem.h"
#include "os/midi/MessageLength.h"
#include "tests/support/TempDir.h"

namespace {

using namespace os::midi;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Data bytes with no period, so that a piece delivered twice in place of
// another (same length, other bytes) shows.
Bytes SysexOf(size_t total) {
  Bytes b(total);
  b.front() = 0xF0;
  uint32_t x = 0x2545F491u;
  for (size_t i = 1; i + 1 < total; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b[i] = static_cast<uint8_t>(x & 0x7F);
  }
  b.back() = 0xF7;
  return b;
}

// What arrives somewhere, with a wait that ends when enough has come.
struct Inbox {
  std::mutex m;
  std::condition_variable cv;
  Bytes bytes;
  std::vector<Bytes> packets;
  std::vector<uint64_t> times;

  void Add(const uint8_t* d, size_t n, uint64_t t = 0) {
    std::lock_guard<std::mutex> g(m);
    bytes.insert(bytes.end(), d, d + n);
    packets.emplace_back(d, d + n);
    times.push_back(t);
    cv.notify_all();
  }
  bool WaitFor(const std::function<bool()>& pred, int ms) {
    std::unique_lock<std::mutex> lock(m);
    return cv.wait_for(lock, std::chrono::milliseconds(ms), pred);
  }
  bool WaitBytes(size_t n, int ms) {
    return WaitFor([&] { return bytes.size() >= n; }, ms);
  }
  // While bytes may still arrive.
  size_t Size() {
    std::lock_guard<std::mutex> g(m);
    return bytes.size();
  }
};

struct DoneBox {
  std::mutex m;
  std::condition_variable cv;
  std::vector<Status> calls;
  SysexDone Fn() {
    return [this](Status s) {
      std::lock_guard<std::mutex> g(m);
      calls.push_back(s);
      cv.notify_all();
    };
  }
  bool Wait(int ms) {
    std::unique_lock<std::mutex> lock(m);
    return cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !calls.empty(); });
  }
};

class JackBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    sys = JackSystem::Open("vesk-test", &why);
    if (!sys) GTEST_SKIP() << "JACK tests skipped: " << why << " (start one with: jackd -S -t 200 -d dummy)";
    device = OpenDevice(device_name);
    ASSERT_TRUE(device);
    ASSERT_TRUE(FindEndpoints(device->SourceKey(), &source, &destination));
  }

  std::unique_ptr<JackDevice> OpenDevice(const std::string& client) {
    JackDevice::Desc d;
    d.clientName = client;
    d.manufacturer = "Maker";
    d.model = "Piano";
    std::string why;
    auto dev = JackDevice::Open(d, &why);
    if (dev) dev->SetReceiver([this](const uint8_t* p, size_t n) { atDevice.Add(p, n); });
    return dev;
  }

  // The endpoints of the device whose source has this JACK name; waits for
  // the server to announce them.
  bool FindEndpoints(const std::string& sourceKey, EndpointId* src, EndpointId* dst) {
    const std::string client = sourceKey.substr(0, sourceKey.find(':'));
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < end) {
      *src = *dst = 0;
      for (size_t i = 0; i < sys->SourceCount(); ++i) {
        std::string dev, name;
        sys->GetProperty(sys->Source(i), Property::kDeviceName, &dev);
        sys->GetProperty(sys->Source(i), Property::kName, &name);
        if (dev == client && dev + ":" + name == sourceKey) *src = sys->Source(i);
      }
      for (size_t i = 0; i < sys->DestinationCount(); ++i) {
        std::string dev;
        sys->GetProperty(sys->Destination(i), Property::kDeviceName, &dev);
        if (dev == client) *dst = sys->Destination(i);
      }
      if (*src && *dst) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  bool WaitGone(EndpointId id) {
    const auto end = Clock::now() + std::chrono::seconds(3);
    std::string v;
    while (Clock::now() < end) {
      if (sys->GetProperty(id, Property::kName, &v) == kErrNoSuchEndpoint) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  std::unique_ptr<Client> NewClient() {
    std::unique_ptr<Client> c;
    EXPECT_EQ(sys->CreateClient("MIDIClient", &c), kOk);
    return c;
  }

  std::unique_ptr<InputPort> Listen(Client& c) {
    std::unique_ptr<InputPort> in;
    EXPECT_EQ(c.CreateInputPort("Input Port", [this](const PacketList& l) {
      for (size_t i = 0; i < l.size(); ++i) atHost.Add(l[i].data, l[i].length, l[i].timeUs);
    }, &in), kOk);
    EXPECT_EQ(in->ConnectSource(source), kOk);
    return in;
  }

  // Whether a system lists a device (by its JACK client name) among its
  // sources; waits up to 3 s for the server's notice.
  static bool Lists(JackSystem& s, const std::string& client) {
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < end) {
      for (size_t i = 0; i < s.SourceCount(); ++i) {
        std::string v;
        s.GetProperty(s.Source(i), Property::kDeviceName, &v);
        if (v == client) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  // A connection nobody holds is ended by the output thread a grace period
  // after it was left. A port of `c` writes to a marker device and goes;
  // once the marker's connection has ended, every connection left before it
  // that was going to end has ended too. Returns false if the marker's
  // never did.
  bool SettleDrops(Client& c) {
    auto marker = OpenDevice(device_name + "m");
    if (!marker) return false;
    marker->SetReceiver([](const uint8_t*, size_t) {});
    EndpointId src = 0, dst = 0;
    if (!FindEndpoints(marker->SourceKey(), &src, &dst)) return false;
    auto writersReach = [&](size_t n) {
      const auto end = Clock::now() + std::chrono::seconds(3);
      while (marker->Writers() != n) {
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      return true;
    };
    {
      // Held until the marker sees its connection, then left.
      std::unique_ptr<OutputPort> port;
      if (c.CreateOutputPort("Output Port", &port) != kOk) return false;
      PacketList note;
      const Bytes on = {0x90, 0x3C, 0x40};
      note.Add(0, on.data(), on.size());
      if (port->Send(dst, note) != kOk || !writersReach(1)) return false;
    }
    return writersReach(0);
  }

  const std::string device_name = "VeskTest" + std::to_string(getpid());
  // The boxes outlive the threads that fill them.
  Inbox atDevice, atHost;
  std::unique_ptr<JackSystem> sys;
  std::unique_ptr<JackDevice> device;
  EndpointId source = 0, destination = 0;
};

TEST_F(JackBackend, EndpointsCarryTheirNamesAndMakerAndKeepTheirIdsWhileTheyExist) {
  const std::string client = device->SourceKey().substr(0, device->SourceKey().find(':'));
  std::string v;
  EXPECT_EQ(sys->GetProperty(source, Property::kName, &v), kOk);
  EXPECT_EQ(v, "out");
  EXPECT_EQ(sys->GetProperty(destination, Property::kName, &v), kOk);
  EXPECT_EQ(v, "in");
  EXPECT_EQ(sys->GetProperty(source, Property::kDeviceName, &v), kOk);
  EXPECT_EQ(v, client);
  EXPECT_EQ(sys->GetProperty(destination, Property::kManufacturer, &v), kOk);
  EXPECT_EQ(v, "Maker");
  EXPECT_EQ(sys->GetProperty(source, Property::kModel, &v), kOk);
  EXPECT_EQ(v, "Piano");
  // Our own ports are no endpoints.
  for (size_t i = 0; i < sys->SourceCount(); ++i) {
    sys->GetProperty(sys->Source(i), Property::kDeviceName, &v);
    EXPECT_NE(v, sys->ClientName());
  }

  // Another client comes and goes; ours keep their ids.
  auto other = OpenDevice(client + "b");
  ASSERT_TRUE(other);
  EndpointId os = 0, od = 0;
  ASSERT_TRUE(FindEndpoints(other->SourceKey(), &os, &od));
  EXPECT_NE(os, source);
  other.reset();
  ASSERT_TRUE(WaitGone(os));
  EndpointId s2 = 0, d2 = 0;
  ASSERT_TRUE(FindEndpoints(device->SourceKey(), &s2, &d2));
  EXPECT_EQ(s2, source);
  EXPECT_EQ(d2, destination);

  // A port that comes back is a new endpoint with the same unique id,
  // which tells it from its partner of the other direction.
  std::string unique, partner;
  EXPECT_EQ(sys->GetProperty(source, Property::kUniqueId, &unique), kOk);
  EXPECT_EQ(sys->GetProperty(destination, Property::kUniqueId, &partner), kOk);
  EXPECT_NE(unique, partner);
  device.reset();
  ASSERT_TRUE(WaitGone(source));
  device = OpenDevice(client);
  ASSERT_TRUE(device);
  ASSERT_TRUE(FindEndpoints(device->SourceKey(), &s2, &d2));
  EXPECT_NE(s2, source);
  EXPECT_EQ(sys->GetProperty(s2, Property::kUniqueId, &v), kOk);
  EXPECT_EQ(v, unique);
}

// The standalone host and the plug-in it hosts each run a MIDI system of
// their own in one process: neither may take the other's ports for devices.
TEST_F(JackBackend, AnotherMIDISystemOfThisProgramIsNoDevice) {
  std::string why;
  auto second = JackSystem::Open("vesk-test-second", &why);
  ASSERT_TRUE(second) << why;
  std::unique_ptr<Client> c;
  ASSERT_EQ(second->CreateClient("MIDIClient", &c), kOk);
  std::unique_ptr<InputPort> in;
  ASSERT_EQ(c->CreateInputPort("Input Port", [](const PacketList&) {}, &in), kOk);
  std::unique_ptr<OutputPort> out;
  ASSERT_EQ(c->CreateOutputPort("Output Port", &out), kOk);
  // The second system writes to the device: it now has an output port too.
  EndpointId dst2 = 0;
  for (int i = 0; i < 300 && !dst2; ++i) {
    for (size_t k = 0; k < second->DestinationCount(); ++k) {
      std::string v;
      second->GetProperty(second->Destination(k), Property::kDeviceName, &v);
      if (v == device_name) dst2 = second->Destination(k);
    }
    if (!dst2) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(dst2, 0u);
  PacketList note;
  const Bytes on = {0x90, 0x3C, 0x40};
  note.Add(0, on.data(), on.size());
  ASSERT_EQ(out->Send(dst2, note), kOk);
  ASSERT_TRUE(atDevice.WaitBytes(3, 2000));
  // The first system has ports of its own as well.
  auto c1 = NewClient();
  auto in1 = Listen(*c1);
  // What is absent cannot be waited for, but a device that comes after
  // those ports can: once both systems list it, the server's notices of the
  // ports before it have reached them as well.
  auto marker = OpenDevice(device_name + "m");
  ASSERT_TRUE(marker);
  marker->SetReceiver([](const uint8_t*, size_t) {});
  ASSERT_TRUE(Lists(*sys, device_name + "m"));
  ASSERT_TRUE(Lists(*second, device_name + "m"));

  // Both directions, both systems: only the device (a client of this
  // process too, but no MIDI system) is listed.
  auto devices = [](JackSystem& sys) {
    std::set<std::string> names;
    for (bool sources : {true, false}) {
      const size_t n = sources ? sys.SourceCount() : sys.DestinationCount();
      for (size_t i = 0; i < n; ++i) {
        std::string v;
        sys.GetProperty(sources ? sys.Source(i) : sys.Destination(i), Property::kDeviceName, &v);
        names.insert(v);
      }
    }
    return names;
  };
  const auto seenByFirst = devices(*sys);
  const auto seenBySecond = devices(*second);
  EXPECT_TRUE(seenByFirst.count(device_name));
  EXPECT_TRUE(seenBySecond.count(device_name));
  EXPECT_FALSE(seenByFirst.count(second->ClientName()));
  EXPECT_FALSE(seenBySecond.count(sys->ClientName()));
}

// The second copy of the backend, loaded as the standalone program loads
// the plug-in; closed with the test.
class SecondCopy {
 public:
  SecondCopy() : handle_(::dlopen(VESK_JACK_SECOND_COPY, RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) return;
    shares = Fn<int (*)()>("vesk_second_copy_shares_state");
    open = Fn<void* (*)(const char*, char*, int)>("vesk_second_copy_open");
    lists = Fn<int (*)(void*, const char*)>("vesk_second_copy_lists");
    churn = Fn<void (*)(const char*, int)>("vesk_second_copy_churn_devices");
    close = Fn<void (*)(void*)>("vesk_second_copy_close");
  }
  ~SecondCopy() {
    if (handle_) ::dlclose(handle_);
  }
  bool ok() const { return handle_ && shares && open && lists && churn && close; }

  int (*shares)() = nullptr;
  void* (*open)(const char*, char*, int) = nullptr;
  int (*lists)(void*, const char*) = nullptr;
  void (*churn)(const char*, int) = nullptr;
  void (*close)(void*) = nullptr;

 private:
  template <typename F>
  F Fn(const char* name) {
    return reinterpret_cast<F>(::dlsym(handle_, name));
  }
  void* handle_;
};

// Runs a JACK command line tool against the test's server; false when it
// failed or is missing.
bool JackTool(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// The plug-in inside the standalone program carries a copy of the backend
// of its own. Every JACK user of the machine shares one metadata store and
// may erase or write anything in it: the process's own ports are told by
// the clients it opened, whatever the store says.
TEST_F(JackBackend, TheProcessesOwnPortsAreToldByWhatItOpenedWhateverTheMetadataSays) {
  SecondCopy copy;
  ASSERT_TRUE(copy.ok()) << ::dlerror();
  EXPECT_EQ(copy.shares(), 1) << "the loaded copy keeps a state of its own";
  char secondName[256] = {};
  void* second = copy.open("vesk-test-copy", secondName, sizeof secondName);
  ASSERT_NE(second, nullptr);
  auto c1 = NewClient();
  auto in1 = Listen(*c1);
  auto listedBySecond = [&](const std::string& client) {
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < end) {
      if (copy.lists(second, client.c_str()) > 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  };
  const std::string forge = "jack_property --client -s " + device_name +
                            " urn:vesk:midi:process " + std::to_string(getpid());
  struct Case {
    const char* what;
    std::string command;  // what another JACK user does to the store
  } cases[] = {{"untouched", ""}, {"erased", "jack_property -D"}, {"forged", forge}};
  int round = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.command.empty() && !JackTool(c.command)) GTEST_SKIP() << "jack_property is missing";
    // What is absent cannot be waited for, but a device that comes after
    // the change can: once both copies list it, what came before has
    // reached them as well.
    const std::string markerName = device_name + "m" + std::to_string(round++);
    auto marker = OpenDevice(markerName);
    ASSERT_TRUE(marker);
    marker->SetReceiver([](const uint8_t*, size_t) {});
    ASSERT_TRUE(Lists(*sys, markerName));
    ASSERT_TRUE(listedBySecond(markerName));

    EXPECT_TRUE(Lists(*sys, device_name));
    EXPECT_GT(copy.lists(second, device_name.c_str()), 0);
    EXPECT_EQ(copy.lists(second, sys->ClientName().c_str()), 0);
    for (bool sources : {true, false}) {
      const size_t n = sources ? sys->SourceCount() : sys->DestinationCount();
      for (size_t i = 0; i < n; ++i) {
        std::string v;
        sys->GetProperty(sources ? sys->Source(i) : sys->Destination(i), Property::kDeviceName, &v);
        EXPECT_NE(v, secondName);
      }
    }
  }
  copy.close(second);
}

// Both copies call into libjack's metadata store at once: the loaded copy
// opens devices that publish their maker (writes) while this copy lists
// every new port's maker (reads). The process orders them; under
// ThreadSanitizer nothing is reported.
TEST_F(JackBackend, BothCopiesUseTheMetadataStoreAtOnceInTurn) {
  SecondCopy copy;
  ASSERT_TRUE(copy.ok()) << ::dlerror();
  std::atomic<bool> done{false};
  std::thread churn([&] {
    copy.churn((device_name + "c").c_str(), 20);
    done = true;
  });
  size_t looks = 0;
  while (!done) {
    looks += sys->SourceCount();
    std::this_thread::yield();
  }
  churn.join();
  // The device that was there throughout still carries its maker.
  std::string maker;
  EXPECT_EQ(sys->GetProperty(source, Property::kManufacturer, &maker), kOk);
  EXPECT_EQ(maker, "Maker");
  EXPECT_GT(looks, 0u);
}

// A program that asks several ports who is there must not stay wired to
// every one of them: a destination's connection lasts as long as an output
// port or client that wrote to it.
TEST_F(JackBackend, AConnectionToADestinationEndsWithThePortThatWroteToIt) {
  auto waitWriters = [&](size_t n) {
    for (int i = 0; i < 300; ++i) {
      if (device->Writers() == n) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  };
  ASSERT_EQ(device->Writers(), 0u);
  auto c = NewClient();
  std::unique_ptr<OutputPort> probe, kept;
  ASSERT_EQ(c->CreateOutputPort("Output Port", &probe), kOk);
  ASSERT_EQ(c->CreateOutputPort("Output Port", &kept), kOk);
  PacketList note;
  const Bytes on = {0x90, 0x3C, 0x40};
  note.Add(0, on.data(), on.size());
  ASSERT_EQ(probe->Send(destination, note), kOk);
  ASSERT_EQ(device->Writers(), 1u);
  // What was written before the port went still arrives.
  probe.reset();
  ASSERT_TRUE(atDevice.WaitBytes(3, 2000));
  EXPECT_TRUE(waitWriters(0)) << "the connection outlived the port";

  ASSERT_EQ(kept->Send(destination, note), kOk);
  DoneBox done;
  SysexId id = 0;
  const Bytes sx = SysexOf(64);
  ASSERT_EQ(c->SendSysex(destination, sx.data(), sx.size(), done.Fn(), &id), kOk);
  ASSERT_TRUE(done.Wait(2000));
  ASSERT_TRUE(atDevice.WaitBytes(6 + sx.size(), 2000));
  // One JACK port per destination, shared; still wired while both live.
  ASSERT_TRUE(SettleDrops(*c));
  EXPECT_EQ(device->Writers(), 1u);
  kept.reset();
  ASSERT_TRUE(SettleDrops(*c));
  EXPECT_EQ(device->Writers(), 1u) << "the client that sent a SysEx still holds it";
  c.reset();
  EXPECT_TRUE(waitWriters(0));
}

// The ports connected to a port, as the server lists them.
std::vector<std::string> JackConnectionsOf(const std::string& port) {
  std::vector<std::string> found;
  FILE* f = popen(("jack_lsp -c '" + port + "' 2>/dev/null").c_str(), "r");
  if (!f) return found;
  char line[512];
  while (fgets(line, sizeof line, f)) {
    std::string l(line);
    while (!l.empty() && (l.back() == '\n' || l.back() == ' ')) l.pop_back();
    if (l.size() > 3 && l.compare(0, 3, "   ") == 0) found.push_back(l.substr(3));
  }
  pclose(f);
  return found;
}

// The server uses a connection from a later cycle than the one
// jack_connect returns in, and a patchbay may take one away: what goes to
// a destination meanwhile waits for the connection instead of going
// nowhere while its send is reported done.
TEST_F(JackBackend, WhatGoesToADestinationWhileItsConnectionIsNotInUseWaitsForIt) {
  auto c = NewClient();
  std::unique_ptr<OutputPort> out;
  ASSERT_EQ(c->CreateOutputPort("Output Port", &out), kOk);
  PacketList first, second;
  const Bytes on = {0x90, 0x3C, 0x40}, off = {0x80, 0x3C, 0x00};
  first.Add(0, on.data(), on.size());
  second.Add(0, off.data(), off.size());
  ASSERT_EQ(out->Send(destination, first), kOk);
  ASSERT_TRUE(atDevice.WaitBytes(3, 2000));
  const std::vector<std::string> writers = JackConnectionsOf(device->DestinationKey());
  ASSERT_EQ(writers.size(), 1u);
  const std::string unplug = "'" + writers[0] + "' '" + device->DestinationKey() + "'";
  ASSERT_TRUE(JackTool("jack_disconnect " + unplug));
  for (int i = 0; i < 300 && device->Writers() != 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(device->Writers(), 0u);

  ASSERT_EQ(out->Send(destination, second), kOk);
  // Some twenty cycles with nobody to read it.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(JackTool("jack_connect " + unplug));
  ASSERT_TRUE(atDevice.WaitBytes(6, 2000)) << "the message went while the port was unconnected";
  std::lock_guard<std::mutex> g(atDevice.m);
  EXPECT_EQ(atDevice.bytes, (Bytes{0x90, 0x3C, 0x40, 0x80, 0x3C, 0x00}));
}

TEST_F(JackBackend, ShortMessagesAndLongSysExCrossBothWaysByteForByte) {
  auto c = NewClient();
  auto in = Listen(*c);
  std::unique_ptr<OutputPort> out;
  ASSERT_EQ(c->CreateOutputPort("Output Port", &out), kOk);

  PacketList notes;
  const Bytes note = {0x90, 0x3C, 0x40, 0x80, 0x3C, 0x00};
  notes.Add(0, note.data(), note.size());
  ASSERT_EQ(out->Send(destination, notes), kOk);
  ASSERT_TRUE(atDevice.WaitBytes(6, 2000));
  EXPECT_EQ(atDevice.packets.size(), 2u) << "one event per short message";

  const Bytes dump = SysexOf(215346);
  DoneBox done;
  SysexId id = 0;
  ASSERT_EQ(c->SendSysex(destination, dump.data(), dump.size(), done.Fn(), &id), kOk);
  ASSERT_TRUE(done.Wait(5000));
  EXPECT_EQ(done.calls, std::vector<Status>{kOk});
  ASSERT_TRUE(atDevice.WaitBytes(6 + dump.size(), 2000));
  EXPECT_EQ(Bytes(atDevice.bytes.begin() + 6, atDevice.bytes.end()), dump);

  const uint64_t before = os::NowUs();
  device->Emit(note);
  device->Emit(dump);
  ASSERT_TRUE(atHost.WaitBytes(6 + dump.size(), 5000));
  EXPECT_EQ(Bytes(atHost.bytes.begin(), atHost.bytes.begin() + 6), note);
  EXPECT_EQ(Bytes(atHost.bytes.begin() + 6, atHost.bytes.end()), dump);
  std::lock_guard<std::mutex> g(atHost.m);
  for (size_t i = 1; i < atHost.times.size(); ++i) EXPECT_GE(atHost.times[i], atHost.times[i - 1]);
  EXPECT_GE(atHost.times.front() + 50'000, before);
  EXPECT_LE(atHost.times.back(), os::NowUs() + 50'000);
}

TEST_F(JackBackend, AFloodOfShortMessagesArrivesInWholeMessagesAndDoesNotStallTheInput) {
  auto c = NewClient();
  auto in = Listen(*c);
  Bytes flood;
  for (int i = 0; i < 30000; ++i) {
    const uint8_t m[3] = {0x90, uint8_t(i & 0x7F), 0x40};
    flood.insert(flood.end(), m, m + 3);
  }
  device->Emit(flood);
  const Bytes marker = {0xB0, 0x78, 0x00};
  device->Emit(marker);
  ASSERT_TRUE(atHost.WaitFor(
      [&] { return !atHost.packets.empty() && atHost.packets.back() == marker; }, 10000));
  std::lock_guard<std::mutex> g(atHost.m);
  for (const Bytes& p : atHost.packets) {
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.size(), MessageLength(p[0]));
  }
  // What does not fit the input ring is dropped, never duplicated.
  EXPECT_LE(atHost.packets.size(), 30001u);
}

TEST_F(JackBackend, AnEndlessSysExIsHandedOnInPiecesAndWhatFollowsStillArrives) {
  auto c = NewClient();
  auto in = Listen(*c);
  Bytes endless(600000, 0x11);
  endless[0] = 0xF0;
  device->Emit(endless);
  const Bytes note = {0x90, 0x3C, 0x40};
  device->Emit(note);
  ASSERT_TRUE(atHost.WaitBytes(endless.size() + 3, 10000));
  std::lock_guard<std::mutex> g(atHost.m);
  EXPECT_EQ(atHost.packets.back(), note);
  size_t largest = 0;
  for (const Bytes& p : atHost.packets) largest = std::max(largest, p.size());
  EXPECT_LE(largest, 4096u) << "no piece holds the whole message";
}

TEST_F(JackBackend, ASendToAPortThatVanishesEndsWithAnErrorAndLaterBytesAreRefused) {
  auto c = NewClient();
  auto in = Listen(*c);
  std::unique_ptr<OutputPort> out;
  ASSERT_EQ(c->CreateOutputPort("Output Port", &out), kOk);
  // Larger than a second of cycles carries, so it is still going when the
  // device leaves.
  const Bytes huge = SysexOf(8'000'000);
  DoneBox done;
  SysexId id = 0;
  ASSERT_EQ(c->SendSysex(destination, huge.data(), huge.size(), done.Fn(), &id), kOk);
  ASSERT_TRUE(atDevice.WaitBytes(1000, 2000));
  device.reset();
  ASSERT_TRUE(done.Wait(3000)) << "the send must end, not hang";
  EXPECT_EQ(done.calls, std::vector<Status>{kErrEndpointGone});

  ASSERT_TRUE(WaitGone(destination));
  PacketList late;
  const Bytes note = {0x90, 0x3C, 0x40};
  late.Add(0, note.data(), note.size());
  EXPECT_EQ(out->Send(destination, late), kErrNoSuchEndpoint);
  EXPECT_EQ(c->SendSysex(destination, huge.data(), 10, done.Fn(), &id), kErrNoSuchEndpoint);
  EXPECT_EQ(in->ConnectSource(source), kErrNoSuchEndpoint);

  // A new device under the same name is a new endpoint: what it sends does
  // not reach the port that listened to the old one.
  device = OpenDevice(device_name);
  ASSERT_TRUE(device);
  EndpointId s2 = 0, d2 = 0;
  ASSERT_TRUE(FindEndpoints(device->SourceKey(), &s2, &d2));
  EXPECT_NE(s2, source);
  device->Emit(note);
  // The inbox outlives the port whose delivery thread writes into it.
  Inbox atFresh;
  std::unique_ptr<InputPort> fresh;
  ASSERT_EQ(c->CreateInputPort("Input Port", [&](const PacketList& l) {
    for (size_t i = 0; i < l.size(); ++i) atFresh.Add(l[i].data, l[i].length);
  }, &fresh), kOk);
  ASSERT_EQ(fresh->ConnectSource(s2), kOk);
  device->Emit(note);
  ASSERT_TRUE(atFresh.WaitBytes(3, 2000));
  EXPECT_TRUE(atHost.bytes.empty());
}

TEST_F(JackBackend, AWithdrawnSendNeverCompletesAndAGoneClientsPortsFail) {
  auto c = NewClient();
  auto in = Listen(*c);
  const Bytes big = SysexOf(4'000'000);
  DoneBox done;
  SysexId id = 0;
  ASSERT_EQ(c->SendSysex(destination, big.data(), big.size(), done.Fn(), &id), kOk);
  c->CancelSysex(id);
  // A later send to the same device completes; the withdrawn one never does.
  DoneBox later;
  const Bytes small = SysexOf(100);
  ASSERT_EQ(c->SendSysex(destination, small.data(), small.size(), later.Fn(), &id), kOk);
  ASSERT_TRUE(later.Wait(5000));
  EXPECT_TRUE(done.calls.empty());
  EXPECT_LT(atDevice.Size(), big.size());

  c.reset();
  EXPECT_EQ(in->ConnectSource(source), kErrInvalidPort);
}

}  // namespace

namespace {

// A JACK server of a test's own, and the test's MIDI system on it.
class OwnJackServer {
 public:
  // Synchronous, as the suite's own server, unless asked otherwise.
  explicit OwnJackServer(const std::string& name, bool synchronous = true)
      : name_(name + "-" + std::to_string(getpid())), env_("JACK_DEFAULT_SERVER", name_) {
    const std::string cmd = "JACK_NO_AUDIO_RESERVATION=1 exec jackd -n " + name_ + (synchronous ? " -S" : "") +
                            " -t 200 -d dummy -r 48000 -p 256 >/dev/null 2>&1";
    pid_ = fork();
    if (pid_ == 0) {
      execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~OwnJackServer() {
    End();
    // Semaphores of clients outlive a server that went first.
    if (DIR* shm = opendir("/dev/shm")) {
      while (dirent* e = readdir(shm))
        if (std::string(e->d_name).find("_" + name_ + "_") != std::string::npos)
          unlink(("/dev/shm/" + std::string(e->d_name)).c_str());
      closedir(shm);
    }
  }
  OwnJackServer(const OwnJackServer&) = delete;
  OwnJackServer& operator=(const OwnJackServer&) = delete;

  // The test's MIDI system on it, once it takes clients; null when it never
  // does (*why tells).
  std::unique_ptr<JackSystem> Open(std::string* why) {
    std::unique_ptr<JackSystem> sys;
    for (int i = 0; i < 100 && !sys && pid_ > 0; ++i) {
      sys = JackSystem::Open("vesk-test", why);
      if (!sys) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return sys;
  }

  // Ends the server this test started, and only that one: asked to stop,
  // so it gives back its shared memory (a killed server leaves it behind).
  void End() {
    if (!running_ || pid_ <= 0) return;
    running_ = false;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 500; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }

 private:
  std::string name_;
  vesk::test::ScopedEnv env_;
  pid_t pid_ = -1;
  bool running_ = true;
};

// The source or destination of a device of that client name, once it is
// listed.
EndpointId EndpointOf(JackSystem& sys, const std::string& client, bool source) {
  for (int i = 0; i < 300; ++i) {
    const size_t n = source ? sys.SourceCount() : sys.DestinationCount();
    for (size_t k = 0; k < n; ++k) {
      const EndpointId e = source ? sys.Source(k) : sys.Destination(k);
      std::string v;
      if (sys.GetProperty(e, Property::kDeviceName, &v) == kOk && v == client) return e;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

TEST(JackServerGone, PendingSendsEndWithAnErrorTheEndpointsGoAndNothingHangs) {
  OwnJackServer server("vesk-gone");
  std::string why;
  std::unique_ptr<JackSystem> sys = server.Open(&why);
  if (!sys) GTEST_SKIP() << "could not start a JACK server of the test's own: " << why;
  JackDevice::Desc d;
  d.clientName = "VeskGone";
  auto device = JackDevice::Open(d, &why);
  ASSERT_TRUE(device);
  const EndpointId dst = EndpointOf(*sys, "VeskGone", false);
  ASSERT_NE(dst, 0u);
  std::unique_ptr<Client> c;
  ASSERT_EQ(sys->CreateClient("MIDIClient", &c), kOk);
  const Bytes huge = SysexOf(8'000'000);
  DoneBox done;
  SysexId id = 0;
  ASSERT_EQ(c->SendSysex(dst, huge.data(), huge.size(), done.Fn(), &id), kOk);

  server.End();
  ASSERT_TRUE(done.Wait(5000)) << "the send must end, not hang";
  EXPECT_EQ(done.calls, std::vector<Status>{kErrEndpointGone});
  EXPECT_EQ(sys->DestinationCount(), 0u);
  std::unique_ptr<Client> late;
  EXPECT_EQ(sys->CreateClient("MIDIClient", &late), kErrNoService);
  // Both ends close without a server to talk to.
  device.reset();
  c.reset();
  sys.reset();
}

// On an asynchronous server, an instrument whose cycle runs late while it
// reads what the backend sends (so that it reads part of it twice) makes
// the backend's own cycles late too, as it reads the instrument's output
// after it: the backend counts a late cycle, so that its user can send
// again.
TEST(JackLateCycles, AnInstrumentLateForACycleOnAnAsynchronousServerIsCounted) {
#if defined(__SANITIZE_THREAD__)
  // The late instrument reads the port buffer while the backend writes its
  // next cycle into it: the very race the count exists for, which an
  // asynchronous server allows and ThreadSanitizer rightly reports, as both
  // clients map that memory in this one process.
  GTEST_SKIP() << "an asynchronous server races the late reader by design";
#endif
  OwnJackServer server("vesk-late", false);
  std::string why;
  std::unique_ptr<JackSystem> sys = server.Open(&why);
  if (!sys) GTEST_SKIP() << "could not start a JACK server of the test's own: " << why;
  JackDevice::Desc d;
  d.clientName = "VeskLate";
  auto device = JackDevice::Open(d, &why);
  ASSERT_TRUE(device);
  const EndpointId dst = EndpointOf(*sys, "VeskLate", false), src = EndpointOf(*sys, "VeskLate", true);
  ASSERT_NE(dst, 0u);
  ASSERT_NE(src, 0u);
  // Read first, as the link does.
  std::unique_ptr<Client> c;
  ASSERT_EQ(sys->CreateClient("MIDIClient", &c), kOk);
  std::unique_ptr<InputPort> in;
  ASSERT_EQ(c->CreateInputPort("in", [](const PacketList&) {}, &in), kOk);
  ASSERT_EQ(in->ConnectSource(src), kOk);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));

  const Bytes dump = SysexOf(64 * 1024);
  device->LateAtNextInput(30);
  const uint64_t before = sys->LateCycles();
  DoneBox done;
  SysexId id = 0;
  ASSERT_EQ(c->SendSysex(dst, dump.data(), dump.size(), done.Fn(), &id), kOk);
  ASSERT_TRUE(done.Wait(5000));
  EXPECT_EQ(done.calls, std::vector<Status>{kOk});
  // (What the instrument got may be short of the dump or hold part of it
  // twice: that is why the count matters.)
  for (int i = 0; i < 200 && sys->LateCycles() == before; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_GT(sys->LateCycles(), before);
  c.reset();
  device.reset();
  sys.reset();
}

}  // namespace
