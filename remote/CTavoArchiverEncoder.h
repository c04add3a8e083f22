#pragma once
// The -lh5- coder behind CTavoArchiver::compressData: sliding dictionary of
// 8 KiB searched through a Patricia trie, one step of lazy matching, and
// static Huffman codes per block of tokens. One object holds all working
// storage of one call, so concurrent calls never share state.
#include <cstdint>

#include "remote/CMakeTree.h"

class CTavoArchiverEncoder {
 public:
  CTavoArchiverEncoder();

  // Codes size bytes of src into out, which must hold size bytes. Returns
  // false when the coded stream would not be shorter than the input; then
  // out holds garbage. On success codedSize is the stream length and crc
  // the CRC-16/ARC of src.
  bool encode(const unsigned char* src, unsigned size, unsigned char* out, unsigned& codedSize,
              uint16_t& crc);

  static constexpr int kDicBit = 13;
  static constexpr int kDicSize = 1 << kDicBit;
  static constexpr int kMaxMatch = 256;
  static constexpr int kThreshold = 3;
  static constexpr int kNC = 255 + kMaxMatch + 2 - kThreshold;
  static constexpr int kNP = kDicBit + 1;
  static constexpr int kNT = 16 + 3;
  static constexpr int kCBit = 9;
  static constexpr int kPBit = 4;
  static constexpr int kTBit = 5;
  static constexpr int kNPT = kNT > kNP ? kNT : kNP;

 private:
  static constexpr int kBufSize = 16384;
  // Child lists are keyed by (node, byte) in a hash table of chains.
  // Which bucket a child sits in never changes which child is found (for
  // one node, distinct bytes never share a bucket), so the table is sized
  // for short chains.
  static constexpr int kHashBits = 16;
  // words_ holds each node's next, parent, position and level words, then
  // the chain heads: a walk up or along a chain reads one place per node.
  static constexpr int kHeadBase = 8 * kDicSize;
  static constexpr int kWords = kHeadBase + (1 << kHashBits);

  // Input and CRC.
  unsigned readSource(unsigned char* p, unsigned n);

  // Match search.
  static int Head(int q, int c);
  static uint32_t NextWord(int r) { return 4 * static_cast<uint32_t>(r); }
  uint16_t& next(int r) { return words_[4 * r]; }
  uint16_t& parent(int r) { return words_[4 * r + 1]; }
  uint16_t& position(int r) { return words_[4 * r + 2]; }  // inner nodes and roots
  uint16_t& level(int r) { return words_[4 * r + 3]; }     // inner nodes and roots
  void relink(int old, int r);
  void unlink(int r);
  void init_slide();
  int child(int q, int c);
  void makechild(int q, int c, int r);
  void split(int old);
  void insert_node();
  void delete_node();
  void get_next_match();

  // Huffman stage.
  void output(unsigned c, unsigned p);
  void send_block();
  template <class Emit>
  void for_each_c_len_code(int n, Emit emit) const;
  int used_c_len_count() const;
  void count_t_freq();
  void write_pt_len(int n, int nbit, int i_special);
  void write_c_len();
  void encode_c(int c);
  void encode_p(unsigned p);

  // MSB-first bit packing into the caller's output; x < 2^n, n <= 16.
  // flushbits writes out the whole bytes gathered.
  void putbits(int n, unsigned x);
  void flushbits();

  const unsigned char* src_ = nullptr;
  unsigned srcSize_ = 0;
  unsigned consumed_ = 0;
  unsigned compsize_ = 0;
  uint16_t crc_ = 0;
  bool unpackable_ = false;
  unsigned char* out_ = nullptr;
  uint64_t bitbuf_ = 0;
  int bitcount_ = 0;

  int pos_ = 0;
  int matchpos_ = 0;
  int avail_ = 0;
  int remainder_ = 0;
  int matchlen_ = 0;

  unsigned char text_[2 * kDicSize + kMaxMatch];
  uint8_t childcount_[kDicSize + 256];
  uint16_t words_[kWords];
  uint32_t prev_[2 * kDicSize];  // the word that points at each linked node

  unsigned char buf_[kBufSize];
  unsigned output_pos_ = 0;
  unsigned output_mask_ = 0;
  unsigned cpos_ = 0;
  uint16_t c_freq_[2 * kNC - 1];
  uint16_t c_code_[kNC];
  uint8_t c_len_[kNC];
  uint16_t p_freq_[2 * kNP - 1];
  uint16_t t_freq_[2 * kNT - 1];
  uint16_t pt_code_[kNPT];
  uint8_t pt_len_[kNPT];
  CMakeTree tree_;
};
