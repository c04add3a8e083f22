// Reader of data files and host chunks. Everything read from a stream is
// untrusted: the chunk's size field must fit the stream, the body is read
// whole (bounded by the largest body its kind can have) and parsed from
// memory with every length checked, into a scratch copy of the image that
// replaces the image only when the whole body was accepted.
#include <cstring>
#include <fstream>
#include <istream>
#include <limits>
#include <optional>
#include <vector>

#include "model/CDirtyFlagSet.h"
#include "remote/CTavoArchiver.h"
#include "remote/Persist.h"
#include "remote/PersistFormat.h"

namespace Oskend {

namespace {

using namespace persist;
constexpr std::uint64_t kUnknownLength = std::numeric_limits<std::uint64_t>::max();

// Bytes from the read position to the end; kUnknownLength when the stream
// cannot tell.
std::uint64_t BytesLeft(std::istream& in) {
  const std::streampos pos = in.tellg();
  if (pos == std::streampos(-1)) {
    in.clear();
    return kUnknownLength;
  }
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.clear();
  in.seekg(pos);
  if (end == std::streampos(-1) || end < pos) return kUnknownLength;
  return static_cast<std::uint64_t>(end - pos);
}

void Rewind(std::istream& in, std::streampos pos) {
  in.clear();
  if (pos != std::streampos(-1)) in.seekg(pos);
  in.clear();
}

bool ReadExact(std::istream& in, void* dst, std::size_t n) {
  if (n == 0) return true;
  in.read(static_cast<char*>(dst), static_cast<std::streamsize>(n));
  return static_cast<std::size_t>(in.gcount()) == n;
}

bool SkipExact(std::istream& in, std::size_t n) {
  if (n == 0) return true;
  in.ignore(static_cast<std::streamsize>(n));
  return static_cast<std::size_t>(in.gcount()) == n;
}

struct NativeHeader {
  FTYPE type = FTYPE::None;
  std::uint32_t size = 0;
  std::uint32_t version = 0;
};

std::optional<NativeHeader> ParseNativeHeader(const std::uint8_t* h) {
  if (std::memcmp(h + kNativeId, kPluginId, 4) != 0) return std::nullopt;
  NativeHeader header;
  header.type = TypeOfTag(h);
  if (header.type == FTYPE::None) return std::nullopt;
  header.size = ReadBE32(h + kNativeSizeField);
  if (header.size < MinChunkSize(header.type)) return std::nullopt;
  header.version = ReadBE32(h + kNativeVersion);
  return header;
}

std::optional<NativeHeader> ParseStreamNativeHeader(std::istream& in) {
  std::uint8_t h[kNativeHeaderSize];
  if (!ReadExact(in, h, sizeof h)) return std::nullopt;
  return ParseNativeHeader(h);
}

struct VSTHeader {
  std::uint32_t size = 0;  // container length - 8
  std::size_t headerSize = 0;
};

std::optional<VSTHeader> ParseVSTHeader(const std::uint8_t* h) {
  if (std::memcmp(h, kVSTMagic, 4) != 0 || std::memcmp(h + kVSTId, kPluginId, 4) != 0)
    return std::nullopt;
  VSTHeader header;
  header.size = ReadBE32(h + 4);
  if (std::memcmp(h + kVSTKind, kVSTProgKind, 4) == 0)
    header.headerSize = kVSTProgHeaderSize;
  else if (std::memcmp(h + kVSTKind, kVSTBankKind, 4) == 0)
    header.headerSize = kVSTBankHeaderSize;
  else
    return std::nullopt;
  return header;
}

// The first bytes of a stream, read once, so that a stream that cannot seek
// back can still be tried as both kinds of header.
struct StreamStart {
  std::uint8_t bytes[kNativeHeaderSize];
  std::size_t count = 0;
  std::optional<NativeHeader> native;
  std::optional<VSTHeader> vst;
};

// Reads the stream's start and recognises its header. After a VST header
// the read position is at the native chunk behind it.
StreamStart ReadStreamStart(std::istream& in) {
  StreamStart start;
  in.read(reinterpret_cast<char*>(start.bytes), sizeof start.bytes);
  start.count = static_cast<std::size_t>(in.gcount());
  if (start.count == kNativeHeaderSize) start.native = ParseNativeHeader(start.bytes);
  if (!start.native && start.count >= kVSTHeaderPeek) {
    start.vst = ParseVSTHeader(start.bytes);
    in.clear();
    if (start.vst && !SkipExact(in, start.vst->headerSize - start.count)) start.vst.reset();
  }
  return start;
}

// Bounds-checked reading of a body held in memory.
class BodyCursor {
 public:
  explicit BodyCursor(const std::vector<std::uint8_t>& body) : p_(body.data()), n_(body.size()) {}
  const std::uint8_t* Take(std::size_t n) {
    if (n > n_ - pos_) return nullptr;
    const std::uint8_t* r = p_ + pos_;
    pos_ += n;
    return r;
  }
  bool Skip(std::size_t n) { return Take(n) != nullptr; }
  bool TakeBE32(std::uint32_t& v) {
    const std::uint8_t* p = Take(4);
    if (p == nullptr) return false;
    v = ReadBE32(p);
    return true;
  }

 private:
  const std::uint8_t* p_;
  std::size_t n_;
  std::size_t pos_ = 0;
};

void SetMark(CDirtyFlagSet& dirty, Mark mark) {
  switch (mark) {
    case Mark::Combis:
      dirty.mCombis.set(0);
      break;
    case Mark::Bank0:
    case Mark::Bank1:
    case Mark::Bank2:
    case Mark::Bank3:
      dirty.mProgBanks.set(static_cast<std::size_t>(mark) - static_cast<std::size_t>(Mark::Bank0));
      break;
    case Mark::Global:
      dirty.mGlobal = true;
      break;
    case Mark::CurSound:
      dirty.mCurSound = true;
      break;
    case Mark::None:
      break;
  }
}

// The load under way: the scratch image it reads into and what it changed.
struct LoadTarget {
  std::vector<std::uint8_t> image;
  CDirtyFlagSet dirty;
  FXBFILTERINFO fileFilter;
  std::vector<std::uint8_t> expanded;

  // Copies src over the part's range, marking the part when it differs.
  void Store(const BodyPart& part, const std::uint8_t* src) {
    std::uint8_t* dst = image.data() + part.offset;
    if (std::memcmp(dst, src, part.size) == 0) return;
    std::memcpy(dst, src, part.size);
    SetMark(dirty, part.mark);
  }
};

bool loadBlock(BodyCursor& body, const BodyPart& part, LoadTarget& target) {
  const std::uint8_t* src = body.Take(part.size);
  if (src == nullptr) return false;
  target.Store(part, src);
  return true;
}

// An archive block that must expand to exactly the part's size.
bool LoadVSTParameterBlock(BodyCursor& body, const BodyPart& part, LoadTarget& target) {
  std::uint32_t length = 0;
  if (!body.TakeBE32(length)) return false;
  const std::uint8_t* block = body.Take(length);
  if (block == nullptr) return false;
  target.expanded.resize(part.size);
  const int n = CTavoArchiver::extractData(block, length, target.expanded.data(),
                                           static_cast<unsigned>(part.size));
  if (n <= 0 || static_cast<std::size_t>(n) != part.size) return false;
  target.Store(part, target.expanded.data());
  return true;
}

bool SkipArchiveBlock(BodyCursor& body) {
  std::uint32_t length = 0;
  return body.TakeBE32(length) && body.Skip(length);
}

bool LoadBankBody(BodyCursor& body, const FXBFILTERINFO& wanted, LoadTarget& target) {
  const std::uint8_t* f = body.Take(FXBFILTERINFO::kSize);
  if (f == nullptr) return false;
  FXBFILTERINFO& filter = target.fileFilter;
  std::memcpy(filter.bytes.data(), f, FXBFILTERINFO::kSize);
  const unsigned combis = filter.CombiCount();
  const unsigned progs = filter.ProgCount();
  if (combis > FXBFILTERINFO::kMaxCombis || progs > FXBFILTERINFO::kMaxProgs) return false;
  const bool takeCombis = wanted.CombiCount() != 0;

  if (combis != 0) {
    const bool ok = takeCombis ? LoadVSTParameterBlock(body, CombisPart(combis), target)
                               : SkipArchiveBlock(body);
    if (!ok) return false;
  }
  if (progs != 0) {
    for (unsigned b = 0; b < L::kProgBankCount; ++b) {
      if (!filter.HasBank(static_cast<int>(b))) continue;
      const bool ok = wanted.HasBank(static_cast<int>(b))
                          ? LoadVSTParameterBlock(body, BankPart(b, progs), target)
                          : SkipArchiveBlock(body);
      if (!ok) return false;
    }
  }
  const bool takeEdit = combis != 0 && takeCombis;
  if (!(takeEdit ? loadBlock(body, kCombiEditPart, target) : body.Skip(kCombiEditPart.size)))
    return false;
  if (filter.HasGlobal() && !(loadBlock(body, kGlobalPart, target) && body.Skip(kGlobalTrailer)))
    return false;
  return takeEdit ? loadBlock(body, kCurCombiPart, target) : body.Skip(kCurCombiPart.size);
}

bool LoadStreamNativeBody(BodyCursor& body, FTYPE nativeType, const PERSISTPARAMS& params,
                          LoadTarget& target) {
  if (nativeType == FTYPE::Bank) return LoadBankBody(body, params.filter, target);
  const std::optional<FixedBody> fixed = FixedBodyOf(nativeType, params.index);
  if (!fixed) return false;
  for (std::size_t i = 0; i < fixed->count; ++i)
    if (!loadBlock(body, fixed->parts[i], target)) return false;
  return true;
}

// How many body bytes a chunk of this header needs; nothing when the
// header's size field cannot be right.
std::optional<std::size_t> BodyLength(const NativeHeader& header, const PERSISTPARAMS& params) {
  if (header.type == FTYPE::Bank) {
    if (header.size < kNativeHeaderSize - 8) return std::nullopt;
    const std::size_t n = header.size - (kNativeHeaderSize - 8);
    if (n > MaxBankBodySize()) return std::nullopt;
    return n;
  }
  const std::optional<FixedBody> fixed = FixedBodyOf(header.type, params.index);
  if (!fixed) return std::nullopt;
  return fixed->DataSize() + (fixed->readPadding ? fixed->padding : 0);
}

// Reads the body of a parsed native header whose chunk (from the header's
// start) may occupy at most `room` bytes; commits it on success.
bool LoadChunk(std::istream& in, const NativeHeader& header, std::uint64_t room, FTYPE reported,
               PERSISTPARAMS& params, CDirtyFlagSet& dirty) {
  if (static_cast<std::uint64_t>(header.size) + 8 > room) return false;
  const std::optional<std::size_t> length = BodyLength(header, params);
  if (!length) return false;
  std::vector<std::uint8_t> bytes(*length);
  if (!ReadExact(in, bytes.data(), bytes.size())) return false;

  LoadTarget target;
  const std::uint8_t* image = params.image.data();
  target.image.assign(image, image + CHUNK_REMOTESYNTH::kSize);
  BodyCursor body(bytes);
  if (!LoadStreamNativeBody(body, header.type, params, target)) return false;

  std::memcpy(params.image.data(), target.image.data(), CHUNK_REMOTESYNTH::kSize);
  dirty.mProgBanks |= target.dirty.mProgBanks;
  dirty.mCombis |= target.dirty.mCombis;
  dirty.mGlobal = dirty.mGlobal || target.dirty.mGlobal;
  dirty.mCurSound = dirty.mCurSound || target.dirty.mCurSound;
  params.type = reported;
  if (header.type == FTYPE::Bank) params.filter = target.fileFilter;
  return true;
}

}  // namespace

bool PersistLoadStream(std::istream& in, unsigned char, PERSISTPARAMS* params,
                       CDirtyFlagSet& dirty) {
  if (params == nullptr || !params->image) throw fileioerror("invalid argument");
  in.clear();
  const std::streampos start = in.tellg();
  in.clear();
  const std::uint64_t left = BytesLeft(in);

  const StreamStart head = ReadStreamStart(in);
  if (head.native) {
    if (!LoadChunk(in, *head.native, left, head.native->type, *params, dirty))
      throw fileioerror("load native failed");
    return true;
  }
  const std::optional<VSTHeader>& vst = head.vst;
  if (!vst) {
    Rewind(in, start);
    throw fileioerror("unknown format");
  }
  const std::optional<NativeHeader> header = ParseStreamNativeHeader(in);
  if (!header) throw fileioerror("load VST failed");
  const FTYPE reported = ContainerType(header->type);
  // The native chunk must lie inside the container, and the container inside
  // the stream.
  const std::uint64_t containerEnd = static_cast<std::uint64_t>(vst->size) + 8;
  if (reported == FTYPE::None || containerEnd > left || containerEnd < vst->headerSize ||
      !LoadChunk(in, *header, containerEnd - vst->headerSize, reported, *params, dirty))
    throw fileioerror("load VST failed");
  return true;
}

bool PersistLoadStream(const char* path, unsigned char, PERSISTPARAMS* params,
                       CDirtyFlagSet& dirty) {
  std::ifstream in;
  if (path != nullptr) in.open(path, std::ios::binary);
  return PersistLoadStream(in, 0, params, dirty);
}

bool PersistFindStreamType(std::istream& in, FTYPE* type, unsigned char* extra) {
  if (type != nullptr) *type = FTYPE::None;
  if (extra != nullptr) *extra = 0;
  in.clear();
  const std::streampos start = in.tellg();
  in.clear();
  const StreamStart head = ReadStreamStart(in);
  std::optional<NativeHeader> header = head.native;
  if (!header && head.vst) header = ParseStreamNativeHeader(in);
  if (!header) {
    Rewind(in, start);
    return false;
  }
  if (type != nullptr) *type = header->type;
  if (extra != nullptr) *extra = kHeaderByte;
  return true;
}

bool PersistFindStreamType(const char* path, FTYPE* type, unsigned char* extra) {
  std::ifstream in;
  if (path != nullptr) in.open(path, std::ios::binary);
  return PersistFindStreamType(in, type, extra);
}

}  // namespace Oskend
