#pragma once
// The ROM directory behind the mono multisample list, as raw byte rows:
// multisamples (28 bytes), relative rows (20 bytes), samples (64 bytes).

struct SMSDSROMImage {
  const unsigned char* multisamples;
  unsigned multisampleCount;
  const unsigned char* relatives;
  unsigned relativeCount;
  const unsigned char* samples;
  unsigned sampleCount;
};

const SMSDSROMImage& MSDSROMMonoImage();
