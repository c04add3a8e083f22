#pragma once
// Self-describing compressed blocks: a 16-byte header ("TAVO", coded size,
// original size, CRC-16/ARC of the original, a zero word; little-endian)
// followed by an LHA -lh5- stream. When coding would not make the data
// smaller the body holds the original bytes as they are, and the coded size
// equals the original size; a coded body is always shorter than that.

class CTavoArchiver {
 public:
  static unsigned int getHeaderSize();

  // False when the block does not start with "TAVO". Reads 16 bytes.
  static bool getHeaderInfo(const void* block, unsigned int& compressedSize,
                            unsigned int& originalSize, unsigned short& crc);
  // Returns block (null stays null).
  static void* setHeaderInfo(void* block, unsigned int compressedSize, unsigned int originalSize,
                             unsigned short crc);

  // Returns a new[] array of size + 16 bytes holding the block; outSize is
  // the block's length. Safe to call from several threads at once.
  static unsigned char* compressData(const void* src, unsigned int size, unsigned int& outSize);

  // blockLength is the number of bytes available at block. Returns the
  // original size when the block is whole, fits dstCapacity, decodes and
  // its CRC matches; 0 otherwise (an empty original also gives 0).
  static int extractData(const void* block, unsigned int blockLength, void* dst,
                         unsigned int dstCapacity);

  // The block coder's Huffman builder; freq needs 2n - 1 entries.
  static int makeTree(int n, unsigned short* freq, unsigned char* len, unsigned short* code);

  // CRC-16/ARC of n bytes, as the header carries it.
  static unsigned short crc16(const void* data, unsigned int n);
};
