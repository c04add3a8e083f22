#pragma once
// Reverses the four bytes of 32-bit words in place.
void HfcSwap32(void* word);
void HfcSwap32Array(void* words, int count);  // nothing for count < 1
