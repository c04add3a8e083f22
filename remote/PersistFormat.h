#pragma once
// Layout shared by the data-file writer and reader: tags, header sizes and
// the bodies of the fixed-size chunk kinds as lists of image ranges.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/ChunkRemoteSynth.h"
#include "remote/FTYPE.h"
#include "model/FXBFILTERINFO.h"

namespace Oskend::persist {

inline constexpr std::size_t kNativeHeaderSize = 32;
inline constexpr std::size_t kNativeSizeField = 4;
inline constexpr std::size_t kNativeVersion = 8;
inline constexpr std::size_t kNativeId = 16;
inline constexpr std::size_t kVSTHeaderPeek = 28;
inline constexpr std::size_t kVSTKind = 8;
inline constexpr std::size_t kVSTId = 16;
inline constexpr std::size_t kVSTProgHeaderSize = 60;
inline constexpr std::size_t kVSTBankHeaderSize = 160;
inline constexpr char kPluginId[5] = "QVS6";
inline constexpr char kVSTMagic[5] = "Ccnk";
inline constexpr char kVSTProgKind[5] = "FPCh";
inline constexpr char kVSTBankKind[5] = "FBCh";
// Reported with every recognised native header.
inline constexpr unsigned char kHeaderByte = 140;

using L = RemoteSynthLayout;

// Which dirty mark a range of the image sets when it changes.
enum class Mark : std::uint8_t { None, Combis, Bank0, Bank1, Bank2, Bank3, Global, CurSound };

struct BodyPart {
  std::size_t offset = 0;
  std::size_t size = 0;
  Mark mark = Mark::None;
};

// The body of a fixed-size kind: its image ranges in file order, then
// padding zeros (read and ignored only where readPadding).
struct FixedBody {
  std::array<BodyPart, 8> parts{};
  std::size_t count = 0;
  std::size_t padding = 0;
  bool readPadding = false;

  std::size_t DataSize() const;
  std::size_t Size() const { return DataSize() + padding; }
};

// The native kind behind a VST container kind (8 -> 2, 9 -> 6, 10 -> 7);
// native kinds map to themselves, anything else to None.
FTYPE NativeType(FTYPE type);
// The container kind of a native kind (2 -> 8, 6 -> 9, 7 -> 10); None for
// kinds that have no container form.
FTYPE ContainerType(FTYPE nativeType);
bool IsVSTType(FTYPE type);
// Tag of a native kind; null for others.
const char* TagOf(FTYPE nativeType);
// Native kind of a 4-byte tag; None when unknown.
FTYPE TypeOfTag(const std::uint8_t* tag);
// Smallest size field a header of the kind may carry (0 for "trx ").
std::uint32_t MinChunkSize(FTYPE nativeType);

// Body of the fixed-size kinds 1 and 3..7; bank is the bank of a one-bank
// body (kind 5) and must be 0..3. Empty for other kinds or banks.
std::optional<FixedBody> FixedBodyOf(FTYPE nativeType, unsigned bank);

// Image range of the first n combinations, or of the first n programs of a
// bank.
BodyPart CombisPart(unsigned n);
BodyPart BankPart(unsigned bank, unsigned n);
inline constexpr BodyPart kCombiEditPart{L::kCombiEditBuffer, CHUNK_COMBI::kSize, Mark::None};
inline constexpr BodyPart kCurCombiPart{L::kCurCombi, CHUNK_CURSOUND::kSize, Mark::None};
inline constexpr BodyPart kGlobalPart{L::kGlobal, CHUNK_GLOBAL::kSize, Mark::Global};
inline constexpr std::size_t kGlobalTrailer = 2;

// Largest valid bank-chunk body: every part present at its largest, the
// archive blocks stored, plus padding. Longer size fields are refused.
std::size_t MaxBankBodySize();
// An archive block of an n-byte range is never longer than this.
std::size_t MaxArchiveBlockSize(std::size_t n);

std::uint32_t ReadBE32(const std::uint8_t* p);
void WriteBE32(std::uint8_t* p, std::uint32_t v);

}  // namespace Oskend::persist
