#pragma once
// What a performance takes from a program when one of its timbres starts to
// play it. The instrument does this by itself, without a message, when a
// timbre is given another program or is switched on; the editor does the
// same to its image so that both hold the same performance afterwards:
// - the program's insert effect goes into the effect slot of the timbre
//   (slot t mod 6; the fourth timbre of a group has none), and its two
//   effect sends into timbre t mod 6 and its upper twin t mod 6 + 6, when
//   the timbre owns the slot (it is switched on, and an upper timbre only
//   while its lower twin is off);
// - on a program change, the timbre's eight tone adjustments start from
//   zero, and the program's master effects and total EQ go into the
//   performance when the timbre plays alone in an unsplit performance.
// Offsets are those of the performance record (the edit buffer) and of the
// program record. Any thread; the callers' readers and writer decide whose
// memory it is.
#include <cstdint>
#include <functional>

namespace Oskend {

class CombiTimbreTake {
 public:
  // The performance's parameter pid as its edit buffer holds it.
  using ParamReader = std::function<int(int pid)>;
  // Bytes [offset, offset + count) of stored program (bank, number) into
  // dst; false when there is no such program.
  using ProgramReader =
      std::function<bool(int bank, int number, unsigned offset, std::uint8_t* dst, unsigned count)>;
  // Writes count bytes at an offset of the performance edit buffer.
  using Writer = std::function<void(unsigned offset, const std::uint8_t* src, unsigned count)>;

  static constexpr int kTimbres = 12;

  CombiTimbreTake(ParamReader param, ProgramReader program, Writer put);

  // Timbre t (0..11) now plays another program; alone: it is the only
  // timbre switched on and the performance is not split.
  void ProgramChanged(int t, bool alone) const;
  // Timbre t was switched on.
  void SwitchedOn(int t) const;

  // The single steps.
  void LoadIfx(int slot, int bank, int number) const;
  void LoadMasterFx(int program) const;
  void ClearToneAdjust(int t) const;
  // The effects of timbre t's program, when the timbre owns its slot;
  // true when its master effects were taken too.
  bool TakeProgramEffects(int t, bool withMasterFx) const;

  // Parameter ids of timbre t.
  static constexpr int ProgramId(int t) { return 0x200 + 0x100 * t; }
  static constexpr int SwitchId(int t) { return ProgramId(t) + 0x2B; }

 private:
  bool OwnsSlot(int t) const;

  ParamReader param_;
  ProgramReader program_;
  Writer put_;
};

}  // namespace Oskend
