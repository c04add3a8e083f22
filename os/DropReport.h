#pragma once
// Messages that a full queue had to refuse: counted on any thread (the
// host's audio thread included: no lock, no allocation, no wait) and told
// in words on the standard error, as the program's other failures that
// reach nobody are (os/ErrorReport.h): the first loss at once, then at most
// one line a second with how many were lost since the line before, so that
// a flood of losses makes a few lines, not a flood of lines.
#include <atomic>
#include <cstdint>

namespace os {

class DropReport {
 public:
  // `where` says what was full, as in "the MIDI output to the synthesizer
  // was full"; a literal (it must outlive the report).
  explicit DropReport(const char* where);
  ~DropReport();  // tells what is still untold
  DropReport(const DropReport&) = delete;
  DropReport& operator=(const DropReport&) = delete;

  // Any thread.
  void Count(uint64_t n = 1);
  uint64_t Total() const;
  // Any thread but the host's audio thread: writes "vesk: <where>: <n>
  // messages were not sent (<total> in all)" when messages were lost since
  // the last line and a second has passed since it (at once for the first
  // loss, and with `now` set). True when it wrote the line.
  bool Tell(bool now = false);

 private:
  const char* where_;
  std::atomic<uint64_t> total_{0};
  std::atomic<uint64_t> told_{0};
  std::atomic<uint64_t> toldAtUs_{0};  // 0: nothing told yet
};

}  // namespace os
