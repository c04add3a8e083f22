#pragma once
// The buffer-size slider: position 0 is the range's minimum, the top
// position its maximum, and the positions between are the multiples of 64
// inside the range.
int BufferFrameSize_GetSliderMaxValue(int minFrames, int maxFrames);
int BufferFrameSize_BufferSizeToSliderValue(int minFrames, int maxFrames, int frames);
int BufferFrameSize_SliderValueToBufferSize(int minFrames, int maxFrames, int value);
