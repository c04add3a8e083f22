#include "os/Alert.h"

#include <mutex>

#include "os/FactoryHook.h"
#include "os/Lock.h"

namespace os {

namespace {
os::Lock g_mutex;
FactoryHook<Alert> g_factory;
std::deque<int> g_script;
std::vector<HeadlessAlert::Shown> g_transcript;
}  // namespace

std::unique_ptr<Alert> Alert::Create() { return g_factory.Make<HeadlessAlert>(); }

void Alert::SetFactory(Factory f) { g_factory.Set(std::move(f)); }

void HeadlessAlert::Script(int button) {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.push_back(button);
}

std::vector<HeadlessAlert::Shown> HeadlessAlert::Transcript() {
  std::lock_guard<os::Lock> g(g_mutex);
  return g_transcript;
}

void HeadlessAlert::Reset() {
  std::lock_guard<os::Lock> g(g_mutex);
  g_script.clear();
  g_transcript.clear();
}

int HeadlessAlert::Run(const Request& request) {
  std::lock_guard<os::Lock> g(g_mutex);
  int answer = 1;
  if (!g_script.empty()) {
    answer = g_script.front();
    g_script.pop_front();
    if (answer < 1 || answer > static_cast<int>(request.buttons.size())) answer = 1;
  }
  g_transcript.push_back({request, answer});
  return answer;
}

}  // namespace os
