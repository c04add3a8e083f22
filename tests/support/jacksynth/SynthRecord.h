#pragma once
// What the simulated synthesizer's process recorded of the messages it
// received (its --short-out file, one line a message or an effect of one;
// the lines are described in main/JackSimSynthMain.cpp), read back.
#include <cstdint>
#include <string>
#include <vector>

namespace vesk::test {

struct SynthRecordLine {
  std::string what;            // "short", "param", "dump", "mode", ...
  std::vector<std::string> words;  // the rest of the line
  // "param": the section, parameter and value.
  int section = -1, id = -1, value = -1;
  // "short": the message's bytes.
  std::vector<uint8_t> bytes;

  bool IsParam(int s, int i) const { return what == "param" && section == s && id == i; }
};

class SynthRecord {
 public:
  // The lines of the file as it stands (a last line without its end is left
  // out: it is still being written).
  static std::vector<SynthRecordLine> Read(const std::string& path);
  // The bytes of every short message, one after the other.
  static std::vector<uint8_t> ShortBytes(const std::vector<SynthRecordLine>& lines);
  // The lines of one kind.
  static std::vector<SynthRecordLine> Only(const std::vector<SynthRecordLine>& lines,
                                           const std::string& what);
};

}  // namespace vesk::test
