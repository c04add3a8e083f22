#include "os/midi/jack/JackProcess.h"

#include <dlfcn.h>

#include <mutex>
#include <set>

#include "os/Lock.h"

// The process's state as every copy sees it: plain C, so that copies built
// at other times agree on it; a change of the table gets a new name.
extern "C" {

struct VeskJackProcessV1 {
  void (*lockMetadata)();
  void (*unlockMetadata)();
  void (*addClient)(const char* name);
  void (*removeClient)(const char* name);
  int (*isOwnClient)(const char* name);
};

__attribute__((visibility("default"))) const VeskJackProcessV1* vesk_jack_process_v1();

}  // extern "C"

namespace {

struct State {
  os::Lock metadata;
  os::Lock clientsLock;
  std::multiset<std::string> clients;
};

State& Own() {
  static State* state = new State;  // never destroyed: clients may close during exit
  return *state;
}

const VeskJackProcessV1 kOwnTable = {
    [] { Own().metadata.lock(); },
    [] { Own().metadata.unlock(); },
    [](const char* name) {
      std::lock_guard<os::Lock> g(Own().clientsLock);
      Own().clients.insert(name);
    },
    [](const char* name) {
      std::lock_guard<os::Lock> g(Own().clientsLock);
      auto it = Own().clients.find(name);
      if (it != Own().clients.end()) Own().clients.erase(it);
    },
    [](const char* name) {
      std::lock_guard<os::Lock> g(Own().clientsLock);
      return Own().clients.count(name) ? 1 : 0;
    },
};

// The table of the copy the program exports, else this copy's own.
const VeskJackProcessV1& Table() {
  static const VeskJackProcessV1* table = [] {
    using Getter = const VeskJackProcessV1* (*)();
    if (void* exported = ::dlsym(RTLD_DEFAULT, "vesk_jack_process_v1"))
      if (const VeskJackProcessV1* t = reinterpret_cast<Getter>(exported)()) return t;
    return &kOwnTable;
  }();
  return *table;
}

}  // namespace

extern "C" const VeskJackProcessV1* vesk_jack_process_v1() { return &kOwnTable; }

namespace os::midi {

void JackProcess::AddClient(const std::string& name) { Table().addClient(name.c_str()); }

void JackProcess::RemoveClient(const std::string& name) { Table().removeClient(name.c_str()); }

bool JackProcess::IsOwnClient(const std::string& name) {
  return Table().isOwnClient(name.c_str()) != 0;
}

JackProcess::MetadataLock::MetadataLock() { Table().lockMetadata(); }

JackProcess::MetadataLock::~MetadataLock() { Table().unlockMetadata(); }

bool JackProcess::SharedWithAnotherCopy() { return &Table() != &kOwnTable; }

}  // namespace os::midi
