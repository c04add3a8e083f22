// Writer of data files and host chunks. The chunk is assembled in memory
// first, so a stream or file receives either all of it or nothing.
#include <cstring>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "os/AtomicFile.h"
#include "os/ErrorReport.h"
#include "os/Thread.h"
#include "remote/CTavoArchiver.h"
#include "remote/Persist.h"
#include "remote/PersistFormat.h"

namespace Oskend {

namespace {

using namespace persist;
using Buffer = std::vector<std::uint8_t>;

void Append(Buffer& out, const void* p, std::size_t n) {
  const auto* b = static_cast<const std::uint8_t*>(p);
  out.insert(out.end(), b, b + n);
}

void AppendZeros(Buffer& out, std::size_t n) { out.insert(out.end(), n, 0); }

void AppendBE32(Buffer& out, std::uint32_t v) {
  std::uint8_t b[4];
  WriteBE32(b, v);
  Append(out, b, 4);
}

// Fills in the size field (bytes after it) of a chunk that starts where the
// writer was made, once everything inside the chunk is written.
class ChunkWrite {
 public:
  explicit ChunkWrite(Buffer& out) : out_(out), start_(out.size()) {}
  ~ChunkWrite() {
    const std::size_t end = out_.size();
    if (end >= start_ + 8)
      WriteBE32(out_.data() + start_ + 4, static_cast<std::uint32_t>(end - start_ - 8));
  }
  ChunkWrite(const ChunkWrite&) = delete;
  ChunkWrite& operator=(const ChunkWrite&) = delete;

 private:
  Buffer& out_;
  std::size_t start_;
};

void SaveStreamNativeHeader(Buffer& out, FTYPE nativeType) {
  Append(out, TagOf(nativeType), 4);
  AppendBE32(out, 0);  // size, filled in by ChunkWrite
  AppendBE32(out, 0);  // version
  AppendBE32(out, 0);
  Append(out, kPluginId, 4);
  AppendZeros(out, kNativeHeaderSize - 20);
}

void SaveStreamVSTHeader(Buffer& out, FTYPE vstType) {
  const bool bank = vstType == FTYPE::VSTBank;
  Append(out, kVSTMagic, 4);
  AppendBE32(out, 0);  // size, filled in by ChunkWrite
  Append(out, bank ? kVSTBankKind : kVSTProgKind, 4);
  AppendBE32(out, 0);
  Append(out, kPluginId, 4);
  AppendZeros(out, (bank ? kVSTBankHeaderSize : kVSTProgHeaderSize) - 20);
}

// An image range to store as an archive block, and the block once made.
struct ArchiveBlock {
  const std::uint8_t* src = nullptr;
  unsigned long size = 0;
  std::unique_ptr<unsigned char[]> block;
  unsigned blockSize = 0;

  void Compress() noexcept {
    try {
      block.reset(CTavoArchiver::compressData(src, static_cast<unsigned>(size), blockSize));
    } catch (...) {
      os::ReportCaughtException("PersistSave: compressing an archive block");
      block.reset();
    }
  }
};

// Coding dominates a bank save, and every block is coded on its own, so the
// blocks are coded side by side; a thread that cannot start leaves its block
// to the calling thread.
bool CompressAll(std::vector<ArchiveBlock>& blocks) {
  std::vector<std::unique_ptr<os::Thread>> threads;
  for (std::size_t i = 1; i < blocks.size(); ++i) {
    auto thread = std::make_unique<os::Thread>();
    if (thread->Start([&block = blocks[i]] { block.Compress(); }))
      threads.push_back(std::move(thread));
    else
      blocks[i].Compress();
  }
  if (!blocks.empty()) blocks[0].Compress();
  for (auto& thread : threads) thread->Join();
  for (const auto& block : blocks)
    if (!block.block) return false;
  return true;
}

// One archive block: its big-endian length, then the block. Returns the
// bytes written.
std::size_t SaveVSTParameterBlock(Buffer& out, const ArchiveBlock& block) {
  AppendBE32(out, block.blockSize);
  Append(out, block.block.get(), block.blockSize);
  return block.blockSize + 4;
}

void AppendPart(Buffer& out, const std::uint8_t* image, const BodyPart& part) {
  Append(out, image + part.offset, part.size);
}

bool SaveBankBody(Buffer& out, const PERSISTPARAMS& params) {
  const FXBFILTERINFO& filter = params.filter;
  const unsigned combis = filter.CombiCount();
  const unsigned progs = filter.ProgCount();
  if (combis > FXBFILTERINFO::kMaxCombis || progs > FXBFILTERINFO::kMaxProgs) return false;
  const std::uint8_t* image = params.image.data();

  std::vector<ArchiveBlock> blocks;
  if (combis != 0) blocks.push_back({image + L::kCombis, combis * L::kCombiSize, nullptr, 0});
  if (progs != 0) {
    for (unsigned b = 0; b < L::kProgBankCount; ++b) {
      if (!filter.HasBank(static_cast<int>(b))) continue;
      const BodyPart part = BankPart(b, progs);
      blocks.push_back({image + part.offset, part.size, nullptr, 0});
    }
  }
  if (!CompressAll(blocks)) return false;

  std::size_t length = FXBFILTERINFO::kSize;
  Append(out, filter.bytes.data(), FXBFILTERINFO::kSize);
  for (const auto& block : blocks) length += SaveVSTParameterBlock(out, block);
  AppendPart(out, image, kCombiEditPart);
  length += kCombiEditPart.size;
  if (filter.HasGlobal()) {
    AppendPart(out, image, kGlobalPart);
    AppendZeros(out, kGlobalTrailer);
    length += kGlobalPart.size + kGlobalTrailer;
  }
  AppendPart(out, image, kCurCombiPart);
  if (length % 4 != 0) AppendZeros(out, 4 - length % 4);
  return true;
}

bool SaveStreamNativeBody(Buffer& out, FTYPE nativeType, const PERSISTPARAMS& params) {
  if (nativeType == FTYPE::Bank) return SaveBankBody(out, params);
  const std::uint8_t* image = params.image.data();
  // A one-bank body holds the bank of the current program; a record that
  // names no bank cannot be saved (the reader would refuse the file).
  const unsigned bank = image[L::kCurProg + CurSoundLayout::kBank];
  const std::optional<FixedBody> body = FixedBodyOf(nativeType, bank);
  if (!body) return false;
  for (std::size_t i = 0; i < body->count; ++i) AppendPart(out, image, body->parts[i]);
  AppendZeros(out, body->padding);
  return true;
}

// The whole chunk of params->type; throws on failure.
void BuildChunk(Buffer& out, const PERSISTPARAMS& params) {
  const FTYPE type = params.type;
  const FTYPE nativeType = NativeType(type);
  if (nativeType == FTYPE::None) throw fileioerror("invalid argument");
  if (!params.image) throw fileioerror("invalid argument");
  if (IsVSTType(type)) {
    ChunkWrite container(out);
    SaveStreamVSTHeader(out, type);
    ChunkWrite native(out);
    SaveStreamNativeHeader(out, nativeType);
    if (!SaveStreamNativeBody(out, nativeType, params)) throw std::runtime_error("save VST failed");
  } else {
    ChunkWrite native(out);
    SaveStreamNativeHeader(out, nativeType);
    if (!SaveStreamNativeBody(out, nativeType, params))
      throw std::runtime_error("save native failed");
  }
}

bool BuildChunkNoThrow(Buffer& out, const PERSISTPARAMS* params) {
  if (params == nullptr) return false;
  try {
    BuildChunk(out, *params);
    return true;
  } catch (...) {
    os::ReportCaughtException("PersistSaveStream: building the data");
    return false;
  }
}

}  // namespace

bool PersistSaveStream(std::ostream& out, unsigned char, const PERSISTPARAMS* params) {
  Buffer chunk;
  if (!BuildChunkNoThrow(chunk, params)) return false;
  try {
    out.clear();
    out.write(reinterpret_cast<const char*>(chunk.data()),
              static_cast<std::streamsize>(chunk.size()));
    out.flush();
    return out.good();
  } catch (...) {
    os::ReportCaughtException("PersistSaveStream: writing");
    return false;
  }
}

bool PersistSaveStream(const char* path, unsigned char, const PERSISTPARAMS* params) {
  if (path == nullptr) return false;
  Buffer chunk;
  if (!BuildChunkNoThrow(chunk, params)) return false;
  return os::WriteFileAtomically(path, chunk.data(), chunk.size());
}

}  // namespace Oskend
