#pragma once
// What the instrument does with a parameter change: the value goes into its
// memory at the parameter's place, the edit buffers for program (section 3)
// and combination (0, 1) parameters and the global block for global ones
// (6). The places are the ones the editor's own sections give a parameter
// id, read through the editor's sections laid over the instrument's memory;
// the sections run here without a dispatcher and without a link, so they
// tell nobody and send nothing. A timbre given another program, or switched
// on, takes that program's effects as the instrument makes it do by itself
// (CombiTimbreTake).
#include <cstdint>
#include <memory>
#include <vector>

namespace vesk::test {

class SimSynthParams {
 public:
  explicit SimSynthParams(std::vector<uint8_t>& memory);
  ~SimSynthParams();
  SimSynthParams(const SimSynthParams&) = delete;
  SimSynthParams& operator=(const SimSynthParams&) = delete;

  // mode: the instrument's current mode byte. Other section bytes are not
  // the instrument's to take and change nothing.
  void Apply(uint8_t mode, uint8_t section, int id, int value);

  struct Sections;

 private:
  std::unique_ptr<Sections> sections_;
};

}  // namespace vesk::test
