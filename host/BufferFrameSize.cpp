#include "host/BufferFrameSize.h"

namespace {
constexpr int kStep = 64;
int LowStep(int minFrames) { return minFrames % kStep ? (minFrames / kStep + 1) * kStep : minFrames; }
int HighStep(int maxFrames) { return maxFrames - maxFrames % kStep; }
}  // namespace

int BufferFrameSize_GetSliderMaxValue(int minFrames, int maxFrames) {
  const int extra = (minFrames % kStep ? 1 : 0) + (maxFrames % kStep ? 1 : 0);
  return (HighStep(maxFrames) - LowStep(minFrames)) / kStep + extra;
}

int BufferFrameSize_SliderValueToBufferSize(int minFrames, int maxFrames, int value) {
  if (value <= 0) return minFrames;
  if (value >= BufferFrameSize_GetSliderMaxValue(minFrames, maxFrames)) return maxFrames;
  if (minFrames % kStep == 0) return minFrames + kStep * value;
  return LowStep(minFrames) + kStep * (value - 1);
}

int BufferFrameSize_BufferSizeToSliderValue(int minFrames, int maxFrames, int frames) {
  if (frames <= minFrames) return 0;
  const int top = BufferFrameSize_GetSliderMaxValue(minFrames, maxFrames);
  if (frames >= maxFrames) return top;
  const int rounded = frames % kStep ? (frames / kStep + 1) * kStep : frames;
  return rounded / kStep - minFrames / kStep;
}
