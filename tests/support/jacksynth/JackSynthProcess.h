#pragma once
// The simulated synthesizer as a JACK client process (vesk_jack_simsynth),
// started for a test and ended with it.
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vesk::test {

class JackSynthProcess {
 public:
  // Starts the program with these options (see JackSimSynthMain.cpp) and
  // waits until its ports exist; ok() tells whether they do.
  explicit JackSynthProcess(const std::vector<std::string>& options);
  ~JackSynthProcess();  // ends a program that still runs
  JackSynthProcess(const JackSynthProcess&) = delete;
  JackSynthProcess& operator=(const JackSynthProcess&) = delete;

  bool ok() const { return ready_; }
  // Asks the program to end and waits for it; true when it ended normally
  // (it then wrote its memory where --memory-out says).
  bool Stop();
  // Asks the running program to write its memory where --memory-out says
  // and waits up to `ms` for the file; true once it is there whole.
  bool WriteMemory(const std::string& path, int ms);
  // Waits up to `ms` for the program to end on its own; true when it ended
  // by SIGKILL.
  bool WaitKilled(int ms);

  static const char* Program();

 private:
  pid_t pid_ = -1;
  bool ready_ = false;
};

}  // namespace vesk::test
