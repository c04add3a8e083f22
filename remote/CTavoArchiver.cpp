#include "remote/CTavoArchiver.h"

#include <cstring>
#include <memory>

#include "remote/CMakeTree.h"
#include "remote/CTavoArchiverDecoder.h"
#include "remote/CTavoArchiverEncoder.h"
#include "remote/CTavoCrc16.h"

namespace {

constexpr unsigned kHeaderSize = 16;

unsigned ReadLE32(const unsigned char* p) {
  return static_cast<unsigned>(p[0]) | static_cast<unsigned>(p[1]) << 8 |
         static_cast<unsigned>(p[2]) << 16 | static_cast<unsigned>(p[3]) << 24;
}

void WriteLE32(unsigned char* p, unsigned v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace

unsigned int CTavoArchiver::getHeaderSize() { return kHeaderSize; }

bool CTavoArchiver::getHeaderInfo(const void* block, unsigned int& compressedSize,
                                  unsigned int& originalSize, unsigned short& crc) {
  const auto* p = static_cast<const unsigned char*>(block);
  if (std::memcmp(p, "TAVO", 4) != 0) return false;
  compressedSize = ReadLE32(p + 4);
  originalSize = ReadLE32(p + 8);
  crc = static_cast<unsigned short>(p[12] | p[13] << 8);
  return true;
}

void* CTavoArchiver::setHeaderInfo(void* block, unsigned int compressedSize,
                                   unsigned int originalSize, unsigned short crc) {
  if (block == nullptr) return block;
  auto* p = static_cast<unsigned char*>(block);
  std::memcpy(p, "TAVO", 4);
  WriteLE32(p + 4, compressedSize);
  WriteLE32(p + 8, originalSize);
  p[12] = static_cast<unsigned char>(crc);
  p[13] = static_cast<unsigned char>(crc >> 8);
  p[14] = 0;
  p[15] = 0;
  return block;
}

unsigned short CTavoArchiver::crc16(const void* data, unsigned int n) {
  return CTavoCrc16::Update(0, static_cast<const unsigned char*>(data), n);
}

unsigned char* CTavoArchiver::compressData(const void* src, unsigned int size,
                                           unsigned int& outSize) {
  std::unique_ptr<unsigned char[]> block(new unsigned char[size + kHeaderSize]);
  const auto* in = static_cast<const unsigned char*>(src);
  unsigned coded = 0;
  unsigned short crc = 0;
  {
    auto encoder = std::make_unique<CTavoArchiverEncoder>();
    if (!encoder->encode(in, size, block.get() + kHeaderSize, coded, crc)) {
      // Stored: the body is the input itself, marked by equal sizes.
      if (size != 0) std::memcpy(block.get() + kHeaderSize, in, size);
      coded = size;
      crc = crc16(in, size);
    }
  }
  setHeaderInfo(block.get(), coded, size, crc);
  outSize = kHeaderSize + coded;
  return block.release();
}

int CTavoArchiver::extractData(const void* block, unsigned int blockLength, void* dst,
                               unsigned int dstCapacity) {
  if (block == nullptr || blockLength < kHeaderSize) return 0;
  unsigned compressedSize = 0;
  unsigned originalSize = 0;
  unsigned short crc = 0;
  if (!getHeaderInfo(block, compressedSize, originalSize, crc)) return 0;
  // The result is an int, so larger originals cannot be reported.
  if (originalSize > dstCapacity || originalSize > 0x7FFFFFFFu) return 0;
  if (compressedSize > blockLength - kHeaderSize) return 0;
  if (originalSize == 0) return 0;
  const auto* body = static_cast<const unsigned char*>(block) + kHeaderSize;
  auto* out = static_cast<unsigned char*>(dst);

  if (compressedSize == originalSize) {
    if (crc16(body, originalSize) == crc) {
      std::memcpy(out, body, originalSize);
      return static_cast<int>(originalSize);
    }
    // Not a stored body after all: earlier versions of the writer could
    // leave a coded stream exactly as long as its original.
  }
  CTavoArchiverDecoder decoder(body, compressedSize, originalSize, crc, out);
  return decoder.extract() ? static_cast<int>(originalSize) : 0;
}

int CTavoArchiver::makeTree(int n, unsigned short* freq, unsigned char* len,
                            unsigned short* code) {
  if (n < 0 || n > CMakeTree::kMaxSymbols) return 0;
  CMakeTree tree;
  return tree.makeTree(n, freq, len, code);
}
