#pragma once
// The processes of one journey: each started from a program path with its
// own arguments and environment, its output and errors in files, in the
// journey's private mount namespace when there is one, and ended by its
// recorded pid (asked with SIGTERM, then SIGKILL after a bound) and waited
// for, so no journey leaves a process behind.
#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace vesk::journey {

// A private /dev/shm for the processes of one journey: a mount namespace
// held by a small process of its own, with a fresh tmpfs on /dev/shm, so
// that the journey's JACK server has its own registry and metadata store.
// Needs root (CI runs as root); elsewhere the processes share the machine's.
class PrivateShm {
 public:
  PrivateShm();
  ~PrivateShm();
  PrivateShm(const PrivateShm&) = delete;
  PrivateShm& operator=(const PrivateShm&) = delete;
  // The namespace to enter (an open descriptor), or -1 without one.
  int fd() const { return fd_; }
  // Why there is none ("" when there is).
  const std::string& why() const { return why_; }

 private:
  pid_t holder_ = -1;
  int fd_ = -1;
  std::string why_;
};

class JourneyProcess {
 public:
  struct Spec {
    std::vector<std::string> argv;           // argv[0] is the program's path
    std::map<std::string, std::string> env;  // over the journey's own environment
    std::string out, err;                    // files for the output and the errors
    int namespaceFd = -1;                    // PrivateShm::fd()
  };
  explicit JourneyProcess(Spec spec);
  ~JourneyProcess() { Stop(); }
  JourneyProcess(const JourneyProcess&) = delete;
  JourneyProcess& operator=(const JourneyProcess&) = delete;

  bool started() const { return pid_ > 0 || status_ >= 0; }
  pid_t pid() const { return pid_; }
  // Whether it still runs (reaps it once it has ended).
  bool Running();
  // Sends a signal while it runs.
  void Signal(int sig);
  // Asks it to end, waits up to `ms`, then kills it; its wait status (-1
  // when it never ran).
  int Stop(int ms = 3000);
  const Spec& spec() const { return spec_; }

 private:
  Spec spec_;
  pid_t pid_ = -1;
  int status_ = -1;
};

}  // namespace vesk::journey
