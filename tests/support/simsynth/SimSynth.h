#pragma once
// The instrument's side of the SysEx protocol, for tests: a message handler
// that takes one complete message from the editor and returns what the
// synthesizer would send back. It keeps its own memory laid out like the
// editor's image (global block, four program banks, 20 combinations, the two
// edit buffers) and a log of what the editor made it do. Parameter changes
// go into that memory as the instrument stores them. Faults are switched
// on through SimSynthSettings. No transport: attaching it to MIDI endpoints
// is someone else's job, which also honours the wire flags of the settings.
#include <cstdint>
#include <vector>

namespace vesk::test {

struct SimSynthSettings {
  uint8_t channel = 0;                // global MIDI channel 0-15
  uint8_t member[2] = {0x00, 0x00};   // identity reply bytes 8-9
  uint8_t version[4] = {1, 0, 0, 0};  // identity reply bytes 10-13
  uint8_t state[4] = {0, 0, 0, 0};    // mode-and-state bytes s1..s4

  // Faults.
  bool silent = false;             // carry out requests but answer nothing
  uint8_t statusByte = 0;          // status for writes, stores and dumps received
  int dumpRequestStatus = -1;      // >= 0: answer dump requests with this status
  bool wrongChannel = false;       // own replies go out on channel + 1
  enum class DumpFault { kNone, kTruncated, kOversize };
  DumpFault dumpFault = DumpFault::kNone;
  unsigned dumpFaultBytes = 8;     // packed bytes removed or added
  std::vector<uint8_t> strayBytes; // inserted into every SysEx sent ...
  unsigned strayAt = 7;            // ... at this offset (kept before the F7)
  bool modeChangeByStatus = false; // confirm a mode change with a status message
  bool programPlayAsEdit = false;  // go to (and report) 3 when asked for program mode 2

  // Wire behaviour, for the attachment to a MIDI bus.
  bool splitPackets = false;   // send in many small packets
  unsigned packetSize = 16;
  bool slowWire = false;       // pace the bytes like a serial MIDI cable
  unsigned bytesPerSecond = 3125;
};

struct SimSynthEvent {
  enum Kind {
    kModeChange,     // mode
    kParamChange,    // section, id, value
    kWrite,          // dumpKind (0 program, 1 combination), bank, number
    kBankStore,      // dumpKind, bank
    kDumpReceived,   // dumpKind, bank, number (-1 whole bank), current
    kDumpRefused,    // dumpKind: the data was not of the kind's size
    kProgramChange,  // bank, number
    kSongSelect,     // number
    kMasterVolume,   // value
    kSysExFilter,    // value
  };
  Kind kind;
  int dumpKind = 0;
  int bank = 0;
  int number = 0;
  bool current = false;
  int section = 0;
  int id = 0;
  int value = 0;
  int mode = 0;
};

class SimSynth {
 public:
  using Msg = std::vector<uint8_t>;

  static constexpr unsigned kImageSize = 784861;
  static constexpr unsigned kGlobalOffset = 0;
  static constexpr unsigned kProgBanksOffset = 1736;
  static constexpr unsigned kCombisOffset = 755400;
  static constexpr unsigned kProgEditOffset = 782040;
  static constexpr unsigned kCombiEditOffset = 783512;
  // Status the simulated instrument answers requests it cannot carry out with.
  static constexpr uint8_t kInvalidStatus = 0x03;

  explicit SimSynth(SimSynthSettings settings = {});

  SimSynthSettings& Settings() { return settings_; }
  std::vector<uint8_t>& Memory() { return memory_; }
  const std::vector<uint8_t>& Memory() const { return memory_; }
  // Fills the memory with a reproducible pattern that uses all 256 values.
  void FillPattern(uint32_t seed);
  // Then gives the pattern's sounds what the instrument's hold: names of
  // printable characters ("Warm Organ", "Perf B-3"), every program in one
  // of the seven categories, every timbre of a performance playing a
  // program of its own category (timbre t: category t mod 6) and the six
  // main timbres switched on, and edit
  // buffers holding the current program and performance.
  void ShapeAsInstrument();

  static unsigned ProgOffset(int bank, int prog);
  static unsigned CombiOffset(int num);

  uint8_t Mode() const { return mode_; }
  void SetMode(uint8_t m) { mode_ = m; }
  int FilterState() const { return filter_; }
  unsigned MasterVolume() const { return volume_; }
  int CurrentBank() const { return curBank_; }
  int CurrentProgram() const { return curProg_; }
  // The performance's timbre the editor chose last (its parameter 0x10A).
  int CurrentTimbre() const { return curTimbre_; }

  const std::vector<SimSynthEvent>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }

  // One complete message from the editor (SysEx F0..F7, or one short
  // message); returns the messages sent back, in order.
  std::vector<Msg> Handle(const uint8_t* msg, unsigned len);
  std::vector<Msg> Handle(const Msg& m) { return Handle(m.data(), static_cast<unsigned>(m.size())); }

  // What the instrument sends when someone uses its panel.
  Msg PanelParamChange(uint8_t section, int id, int value);
  std::vector<Msg> PanelProgramChange(int bank, int prog);
  Msg PanelModeChange(uint8_t mode);
  Msg PanelMasterVolume(unsigned volume);
  // A dump sent on its own: kind 0x00/0x0F/0x01/0x11/0x03 as in a dump
  // request, or current = true for an edit buffer (kind 0 or 1).
  Msg PanelDump(uint8_t kind, int bank, int num, bool current = false);

 private:
  uint8_t ReplyChannel() const;
  Msg Faulted(Msg m) const;
  Msg StatusMsg(uint8_t s) const;
  Msg MakeDump(uint8_t kind, int bank, int num, bool current) const;
  bool Region(uint8_t kind, int bank, int num, bool current, unsigned* offset, unsigned* size) const;

  void HandleShort(const uint8_t* msg, unsigned len);
  void HandleOwn(const uint8_t* msg, unsigned len, std::vector<Msg>& out);
  void HandleDumpIn(const uint8_t* msg, unsigned len, std::vector<Msg>& out);
  void EnterMode(uint8_t mode);
  // Copies the stored current sound of the mode into its edit buffer.
  void LoadCurrentSound();

  SimSynthSettings settings_;
  std::vector<uint8_t> memory_;
  std::vector<SimSynthEvent> log_;
  uint8_t mode_ = 0;
  int filter_ = 1;
  unsigned volume_ = 16383;
  uint8_t bankMsb_ = 0;
  uint8_t bankLsb_ = 0;
  int curBank_ = 0;
  int curProg_ = 0;
  int curTimbre_ = 0;
};

}  // namespace vesk::test
