#include "remote/CMakeTree.h"

void CMakeTree::count_len(int i) {
  if (i < n_) {
    len_cnt_[depth_ < 16 ? depth_ : 16]++;
  } else {
    depth_++;
    count_len(left_[i]);
    count_len(right_[i]);
    depth_--;
  }
}

// Turns the tree into code lengths; lengths past 16 are folded back by
// lengthening shorter codes until the Kraft sum is exact again.
void CMakeTree::make_len(int root) {
  for (int i = 0; i <= 16; i++) len_cnt_[i] = 0;
  depth_ = 0;
  count_len(root);
  unsigned cum = 0;
  for (int i = 16; i > 0; i--) cum += static_cast<unsigned>(len_cnt_[i]) << (16 - i);
  while (cum != (1u << 16)) {
    len_cnt_[16]--;
    for (int i = 15; i > 0; i--) {
      if (len_cnt_[i] != 0) {
        len_cnt_[i]--;
        len_cnt_[i + 1] += 2;
        break;
      }
    }
    cum--;
  }
  // Symbols were recorded least frequent first; they get the longest codes.
  for (int i = 16; i > 0; i--) {
    int k = len_cnt_[i];
    while (--k >= 0) len_[*sortptr_++] = static_cast<uint8_t>(i);
  }
}

void CMakeTree::downheap(int i) {
  int k = heap_[i];
  int j;
  while ((j = 2 * i) <= heapsize_) {
    if (j < heapsize_ && freq_[heap_[j]] > freq_[heap_[j + 1]]) j++;
    if (freq_[k] <= freq_[heap_[j]]) break;
    heap_[i] = heap_[j];
    i = j;
  }
  heap_[i] = static_cast<int16_t>(k);
}

void CMakeTree::make_code(int n, const uint8_t* len, uint16_t* code) {
  uint16_t start[18];
  start[1] = 0;
  for (int i = 1; i <= 16; i++) start[i + 1] = static_cast<uint16_t>((start[i] + len_cnt_[i]) << 1);
  for (int i = 0; i < n; i++) code[i] = start[len[i]]++;
}

int CMakeTree::makeTree(int n, uint16_t* freq, uint8_t* len, uint16_t* code) {
  n_ = n;
  freq_ = freq;
  len_ = len;
  int avail = n;
  heapsize_ = 0;
  heap_[1] = 0;
  for (int i = 0; i < n; i++) {
    len[i] = 0;
    if (freq[i]) heap_[++heapsize_] = static_cast<int16_t>(i);
  }
  if (heapsize_ < 2) {
    code[heap_[1]] = 0;
    return heap_[1];
  }
  for (int i = heapsize_ / 2; i >= 1; i--) downheap(i);
  // The code array doubles as the list of symbols in the order they leave
  // the heap; make_code overwrites it afterwards.
  sortptr_ = code;
  int k;
  do {
    int i = heap_[1];
    if (i < n) *sortptr_++ = static_cast<uint16_t>(i);
    heap_[1] = heap_[heapsize_--];
    downheap(1);
    int j = heap_[1];
    if (j < n) *sortptr_++ = static_cast<uint16_t>(j);
    k = avail++;
    freq[k] = static_cast<uint16_t>(freq[i] + freq[j]);
    heap_[1] = static_cast<int16_t>(k);
    downheap(1);
    left_[k] = static_cast<uint16_t>(i);
    right_[k] = static_cast<uint16_t>(j);
  } while (heapsize_ > 1);
  sortptr_ = code;
  make_len(k);
  make_code(n, len, code);
  return k;
}
