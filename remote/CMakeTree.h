#pragma once
// Builds the length-limited (16-bit) Huffman code of one block, the way the
// -lh5- coder does, so that equal frequencies give equal codes.
#include <cstdint>

class CMakeTree {
 public:
  static constexpr int kMaxSymbols = 510;

  // freq must hold 2n - 1 entries: the internal nodes' sums go behind the
  // n symbol counts. Returns the root (n or more), or the only symbol
  // (0 when none occurs) with its length 0 and code 0.
  int makeTree(int n, uint16_t* freq, uint8_t* len, uint16_t* code);

 private:
  void count_len(int i);
  void make_len(int root);
  void downheap(int i);
  void make_code(int n, const uint8_t* len, uint16_t* code);

  int n_ = 0;
  int heapsize_ = 0;
  int depth_ = 0;
  uint16_t* freq_ = nullptr;
  uint8_t* len_ = nullptr;
  uint16_t* sortptr_ = nullptr;
  uint16_t len_cnt_[17] = {};
  int16_t heap_[kMaxSymbols + 1] = {};
  uint16_t left_[2 * kMaxSymbols - 1] = {};
  uint16_t right_[2 * kMaxSymbols - 1] = {};
};
