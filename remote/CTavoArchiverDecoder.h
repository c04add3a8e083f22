#pragma once
// The -lh5- decoder behind CTavoArchiver::extractData; one object per call.
// Every count read from the stream is checked before it is used, so a
// damaged stream ends in failure, never outside the buffers or in a loop.
#include <cstdint>

class CTavoArchiverDecoder {
 public:
  // coded: compressedSize bytes of -lh5- stream; dst: room for originalSize.
  CTavoArchiverDecoder(const unsigned char* coded, unsigned int compressedSize,
                       unsigned int originalSize, unsigned short crc, unsigned char* dst);

  // Decodes into dst; true when the stream was well formed and the result's
  // CRC matches. dst may hold partial output after a failure.
  bool extract();

 private:
  static constexpr int kDicBit = 13;
  static constexpr int kDicSize = 1 << kDicBit;
  static constexpr int kThreshold = 3;
  static constexpr int kNC = 510;
  static constexpr int kNP = kDicBit + 1;
  static constexpr int kNT = 19;
  static constexpr int kCBit = 9;
  static constexpr int kPBit = 4;
  static constexpr int kTBit = 5;
  static constexpr int kNPT = 19;

  void fillbuf(int n);
  unsigned getbits(int n);
  bool make_table(int nchar, const uint8_t* bitlen, int tablebits, uint16_t* table);
  bool read_pt_len(int nn, int nbit, int i_special);
  bool read_c_len();
  bool decode_c(unsigned& c);
  unsigned decode_p();
  // Decodes the next count (at most one window) bytes into the window.
  bool decompm(unsigned count);
  // Moves n decoded bytes from the window to dst and into the CRC.
  void crfmcpy(unsigned n);

  const unsigned char* in_;
  unsigned inLeft_;
  unsigned originalSize_;
  unsigned short crc_;
  unsigned char* dst_;
  unsigned dstPos_ = 0;
  uint16_t runningCrc_ = 0;

  unsigned bitbuf_ = 0;  // 16 bits, next bit at the top
  unsigned subbitbuf_ = 0;
  int bitcount_ = 0;

  unsigned blocksize_ = 0;
  int copyLeft_ = 0;  // bytes of a match still to copy into the next piece
  unsigned copyFrom_ = 0;

  unsigned char window_[kDicSize];
  uint8_t c_len_[kNC];
  uint8_t pt_len_[kNPT];
  uint16_t c_table_[4096];
  uint16_t pt_table_[256];
  uint16_t left_[2 * kNC - 1];
  uint16_t right_[2 * kNC - 1];
};
