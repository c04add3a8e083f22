#include "model/InitChunks.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "fxcatalog/FxTypeLists.h"
#include "model/SectionTables.h"
#include "model/TableDefaults.h"

namespace Oskend {
namespace {

struct InitChunkSet {
  std::array<std::uint8_t, CHUNK_GLOBAL::kSize> global{};
  std::array<std::uint8_t, CHUNK_PROG::kSize> prog{};
  std::array<std::uint8_t, CHUNK_COMBI::kSize> combi{};
  std::array<std::uint8_t, kInitChunkPCMOSCSize> pcmosc{};
  std::array<std::uint8_t, kInitChunkSetupSize> setup{};
  std::array<std::uint8_t, kInitFXBlockSize * kInitFXTypeCount> fx{};
  std::array<std::uint8_t, kInitFXBlockSize * kInitMFXTypeCount> mfx1{};
  std::array<std::uint8_t, kInitFXBlockSize * kInitMFXTypeCount> mfx2{};
  std::array<std::uint8_t, kInitFXBlockSize> tfx{};
};

// Editor settings: the software-setup defaults (data-file filter switches all
// on, program and combination numbers "All", automatic Local Control on,
// automatic loading off, no file, no port names).
void ApplySetupDefaults(std::array<std::uint8_t, kInitChunkSetupSize>& s) {
  constexpr std::string_view kNoFile = "(no file. Do \"Select Auto Load File\" menu)";
  s[0] = 1;                       // Filter.AllSw
  s[1] = 1;                       // Filter.ProgSw
  s[2] = 0x0F;                    // Filter.ProgASw .. ProgDSw
  s[4] = 0xFF;                    // Filter.ProgNum -1
  s[5] = 1;                       // Filter.CombiSw
  s[8] = 0xFF;                    // Filter.CombiNum -1
  s[15] = 0;                      // Filter.GlobalSw
  s[16] = 0x01;                   // AutoLocalCtrl on; PlugInMIDIOut and PrgChgToGUI off
  s[17] = 0;                      // AutoLoadData off
  std::memset(&s[18], ' ', 256);  // AutoLoadFileName
  std::memcpy(&s[18], kNoFile.data(), kNoFile.size());
  std::memset(&s[274], ' ', 32);  // MIDIInName
  std::memset(&s[306], ' ', 32);  // MIDIOutName
}

// One 64-byte block per effect type, each holding its table's defaults.
void ApplyFxDefaults(std::uint8_t* blocks, const TABLEDESC* types, std::size_t count) {
  for (std::size_t t = 0; t < count; ++t)
    ApplyTableDefaults(blocks + t * kInitFXBlockSize, kInitFXBlockSize, types[t]);
}

// The effect slots of a program or a combination, with the ids of the rows
// that hold their types in the sound's own table.
struct SoundFxSlots {
  const TABLEDESC& table;
  int ifxType;   // IFX1; IFX2-5 follow
  int mfx1Type;  // MFX2 follows
  int tfxType;
};
constexpr int kIFXCount = 5;

// Each slot holds the default parameter block of the type its type row
// gives, as a section choosing that type would leave it.
void ApplyFxSlotDefaults(const InitChunkSet& s, CHUNK_PROGANCESTER sound,
                         const SoundFxSlots& slots) {
  auto apply = [&](int fx, int typeId, std::span<const std::uint8_t> defaults) {
    const std::size_t count = defaults.size() / kInitFXBlockSize;
    const int type = ReadTableValue(sound.data(), slots.table, typeId);
    std::span<const std::uint8_t> entry =
        InitFXEntry(defaults, std::min<long long>(type, static_cast<long long>(count) - 1));
    std::memcpy(sound.GetFX(fx).data(), entry.data(), kInitFXBlockSize);
  };
  for (int k = 0; k < kIFXCount; ++k) apply(eFX_IFX1 + k, slots.ifxType + k, s.fx);
  apply(eFX_MFX1, slots.mfx1Type, s.mfx1);
  apply(eFX_MFX2, slots.mfx1Type + 1, s.mfx2);
  apply(eFX_EQ, slots.tfxType, s.tfx);
}

// The program: its own rows, then everything from the common block on as
// the oscillator section sees it, then the effect slots.
void ApplyProgDefaults(const InitChunkSet& s, std::uint8_t* prog) {
  ApplyTableDefaults(prog, CHUNK_PROG::kSize, TABLEDESC_PROGEDIT);
  ApplyTableDefaults(prog + ProgLayout::kCommon, CHUNK_PROG::kSize - ProgLayout::kCommon,
                     TABLEDESC_PROGEDITPCM);
  ApplyFxSlotDefaults(s, CHUNK_PROGANCESTER(prog), {TABLEDESC_PROGEDIT, 0x0200, 0x0800, 0x0B00});
}

// The combination: its own rows, each timbre's record, the effect slots.
void ApplyCombiDefaults(const InitChunkSet& s, std::uint8_t* combi) {
  ApplyTableDefaults(combi, CHUNK_COMBI::kSize, TABLEDESC_COMBIPLAY);
  for (std::size_t t = 0; t < CombiLayout::kTimbreCount; ++t)
    ApplyTableDefaults(combi + CombiLayout::kTimbre + t * CombiLayout::kTimbreStride,
                       CombiLayout::kTimbreStride, TABLEDESC_COMBIPLAYTRK);
  ApplyFxSlotDefaults(s, CHUNK_PROGANCESTER(combi), {TABLEDESC_COMBIPLAY, 0x1200, 0x1800, 0x1B00});
}

// Every block starts zeroed (which also makes the "no effect" block all
// zero) and gets every table row's default through the row's accessor; the
// values that the system itself fixes are written last, over them.
InitChunkSet BuildInitChunks() {
  InitChunkSet s;
  ApplyFxDefaults(s.fx.data(), TABLEARRAY_FX, kInitFXTypeCount);
  ApplyFxDefaults(s.mfx1.data(), TABLEARRAY_FX_MFX1, kInitMFXTypeCount);
  ApplyFxDefaults(s.mfx2.data(), TABLEARRAY_FX_MFX2, kInitMFXTypeCount);
  ApplyFxDefaults(s.tfx.data(), TABLEARRAY_FX_TFX, 1);
  ApplyTableDefaults(s.global.data(), s.global.size(), TABLEDESC_GLOBAL);
  ApplyProgDefaults(s, s.prog.data());
  ApplyCombiDefaults(s, s.combi.data());
  // The oscillator section's block laid out as from the program's common
  // block on, over the first 760 bytes.
  ApplyTableDefaults(s.pcmosc.data(), s.pcmosc.size(), TABLEDESC_PROGEDITPCM);

  CHUNK_PROG prog(s.prog.data());
  prog.SetName("INIT");
  prog.GetCommon().SetCategory(kInitProgCategory);
  CHUNK_COMBI(s.combi.data()).SetName("INIT PERF");
  ApplySetupDefaults(s.setup);
  return s;
}

const InitChunkSet& InitChunks() {
  static const InitChunkSet s = BuildInitChunks();
  return s;
}

}  // namespace

std::span<const std::uint8_t, CHUNK_GLOBAL::kSize> INITCHUNK_GLOBAL() {
  return InitChunks().global;
}
std::span<const std::uint8_t, CHUNK_PROG::kSize> INITCHUNK_PROG() { return InitChunks().prog; }
std::span<const std::uint8_t, CHUNK_COMBI::kSize> INITCHUNK_COMBI() { return InitChunks().combi; }
std::span<const std::uint8_t, kInitChunkPCMOSCSize> INITCHUNK_PCMOSC() {
  return InitChunks().pcmosc;
}
std::span<const std::uint8_t, kInitChunkSetupSize> INITCHUNK_SETUP() { return InitChunks().setup; }
std::span<const std::uint8_t, kInitFXBlockSize * kInitFXTypeCount> VINITCHUNK_FX() {
  return InitChunks().fx;
}
std::span<const std::uint8_t, kInitFXBlockSize * kInitMFXTypeCount> VINITCHUNK_FX_MFX1() {
  return InitChunks().mfx1;
}
std::span<const std::uint8_t, kInitFXBlockSize * kInitMFXTypeCount> VINITCHUNK_FX_MFX2() {
  return InitChunks().mfx2;
}
std::span<const std::uint8_t, kInitFXBlockSize> VINITCHUNK_FX_TFX() { return InitChunks().tfx; }

std::span<const std::uint8_t> InitFXEntry(std::span<const std::uint8_t> table,
                                          long long type) noexcept {
  if (type < 0 || static_cast<unsigned long long>(type) >= table.size() / kInitFXBlockSize)
    return {};
  return table.subspan(static_cast<std::size_t>(type) * kInitFXBlockSize, kInitFXBlockSize);
}

void InitAllChunk(CHUNK_REMOTESYNTH image) {
  if (!image) return;
  const std::uint8_t* prog = INITCHUNK_PROG().data();
  const std::uint8_t* combi = INITCHUNK_COMBI().data();
  image.GetGlobal().Assign(CHUNK_GLOBAL_CONST(INITCHUNK_GLOBAL().data()));
  for (std::size_t b = 0; b < RemoteSynthLayout::kProgBankCount; ++b) {
    for (std::size_t n = 0; n < RemoteSynthLayout::kProgsPerBank; ++n) {
      CHUNK_PROG p = image.GetProg(b, n);
      p.Assign(CHUNK_PROG_CONST(prog));
      p.GetCommon().SetCategory(kResetStoredProgCategory);
    }
  }
  for (std::size_t n = 0; n < RemoteSynthLayout::kCombiCount; ++n)
    image.GetCombi(n).Assign(CHUNK_COMBI_CONST(combi));
  image.GetCombiEditBuffer().Assign(CHUNK_COMBI_CONST(combi));
  image.GetProgEditBuffer().Assign(CHUNK_PROG_CONST(prog));
  std::memset(image.data() + RemoteSynthLayout::kTail, 0, RemoteSynthLayout::kTailSize);
}

}  // namespace Oskend
