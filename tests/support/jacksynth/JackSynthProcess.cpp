#include "tests/support/jacksynth/JackSynthProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

extern char** environ;

namespace vesk::test {

const char* JackSynthProcess::Program() { return VESK_JACK_SIMSYNTH; }

JackSynthProcess::JackSynthProcess(const std::vector<std::string>& options) {
  int out[2];
  if (pipe(out) != 0) return;
  std::vector<std::string> args{Program()};
  args.insert(args.end(), options.begin(), options.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  if (posix_spawn(&pid_, Program(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  // The program says "ready ..." once its ports exist.
  std::string line;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (pid_ > 0 && std::chrono::steady_clock::now() < end) {
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    char c;
    if (read(out[0], &c, 1) != 1) break;
    if (c == '\n') break;
    line += c;
  }
  close(out[0]);
  ready_ = line.rfind("ready", 0) == 0;
}

JackSynthProcess::~JackSynthProcess() {
  if (pid_ <= 0) return;
  // Asked first, so it leaves the JACK server in order and its name is free
  // for the next one at once.
  kill(pid_, SIGTERM);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (waitpid(pid_, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= end) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool JackSynthProcess::Stop() {
  if (pid_ <= 0) return false;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool JackSynthProcess::WriteMemory(const std::string& path, int ms) {
  if (pid_ <= 0) return false;
  std::remove(path.c_str());
  kill(pid_, SIGUSR1);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  // The program puts the file in place whole (a rename).
  while (access(path.c_str(), F_OK) != 0) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

bool JackSynthProcess::WaitKilled(int ms) {
  if (pid_ <= 0) return false;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  int status = 0;
  for (;;) {
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) break;
    if (r < 0 || std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace vesk::test
