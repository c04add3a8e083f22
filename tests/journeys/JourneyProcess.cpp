#include "tests/journeys/JourneyProcess.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace vesk::journey {

PrivateShm::PrivateShm() {
  if (geteuid() != 0) {
    why_ = "not root: the journey's processes share the machine's /dev/shm";
    return;
  }
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) return;
  holder_ = fork();
  if (holder_ == 0) {
    // Only system calls between fork and exit: the parent has threads. It
    // goes with the journey, however that ends.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    char ok = 0;
    if (unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
        mount("tmpfs", "/dev/shm", "tmpfs", 0, "mode=1777") == 0)
      ok = 1;
    (void)!write(ready[1], &ok, 1);
    if (!ok) _exit(1);
    for (;;) pause();
  }
  close(ready[1]);
  char ok = 0;
  if (holder_ > 0 && read(ready[0], &ok, 1) == 1 && ok) {
    const std::string path = "/proc/" + std::to_string(holder_) + "/ns/mnt";
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  }
  close(ready[0]);
  if (fd_ < 0) why_ = "no private mount namespace could be made (unshare or mount refused)";
}

PrivateShm::~PrivateShm() {
  if (fd_ >= 0) close(fd_);
  if (holder_ > 0) {
    kill(holder_, SIGKILL);
    waitpid(holder_, nullptr, 0);
  }
}

JourneyProcess::JourneyProcess(Spec spec) : spec_(std::move(spec)) {
  // Everything the child needs is made before fork: after it, only system
  // calls (the journey process has threads).
  std::map<std::string, std::string> env;
  for (char** e = environ; *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq) env[std::string(*e, static_cast<size_t>(eq - *e))] = eq + 1;
  }
  for (const auto& [k, v] : spec_.env) env[k] = v;
  std::vector<std::string> envText;
  for (const auto& [k, v] : env) envText.push_back(k + "=" + v);
  std::vector<char*> envp, argv;
  for (auto& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  for (auto& a : spec_.argv) argv.push_back(a.data());
  argv.push_back(nullptr);
  const int out = open(spec_.out.empty() ? "/dev/null" : spec_.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int err = open(spec_.err.empty() ? "/dev/null" : spec_.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (out < 0 || err < 0 || in < 0 || spec_.argv.empty()) {
    for (int fd : {out, err, in})
      if (fd >= 0) close(fd);
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (spec_.namespaceFd >= 0 && setns(spec_.namespaceFd, CLONE_NEWNS) != 0) _exit(126);
    // Its own process group, so a signal from the terminal to the journey
    // does not reach it first.
    setpgid(0, 0);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  for (int fd : {out, err, in}) close(fd);
}

bool JourneyProcess::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    status_ = status;
    pid_ = -1;
    return false;
  }
  return true;
}

void JourneyProcess::Signal(int sig) {
  if (Running()) kill(pid_, sig);
}

int JourneyProcess::Stop(int ms) {
  if (!Running()) return status_;
  kill(pid_, SIGTERM);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (Running()) {
    if (std::chrono::steady_clock::now() >= end) {
      kill(pid_, SIGKILL);
      int status = 0;
      waitpid(pid_, &status, 0);
      status_ = status;
      pid_ = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status_;
}

}  // namespace vesk::journey
