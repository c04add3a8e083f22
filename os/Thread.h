#pragma once
// A joinable thread that the virtual clock tracks; Join waits through a
// Monitor so simulated time can move while the joiner waits.
#include <functional>
#include <memory>

namespace os {

class Thread {
 public:
  Thread();
  ~Thread();  // joins a thread that still runs
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // False when the system refused to create the thread.
  bool Start(std::function<void()> body);
  void Join();
  bool Joinable() const;
  bool Finished() const;
  // True on the thread that this object started.
  bool IsCurrent() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace os
