#pragma once
// How much of real time the render procedure takes, and the automatic stop
// when that share reaches the user's limit. Begin and end run on the audio
// thread without a lock or an allocation; the rest on the main thread.
#include <cstdint>

void CalcCPULoad_SetSampleRateAndBufferFrameSize(double sampleRate, uint32_t frames);
void CalcCPULoad_BeginProcess();
void CalcCPULoad_EndProcess();
void CalcCPULoad_SetIsProcessing(bool processing);
bool CalcCPULoad_GetIsProcessing();
// 1 and the load (1.0 = 100 %) once the ring is full while processing;
// else 0 (and 0 written).
int CalcCPULoad_GetCPULoad(float* load);
void CalcCPULoad_SetAutoStop(bool useAutoStop, int limitPercent);
// The meter tick: stops audio through the stop handler while the rounded
// load is at or above the limit.
void CalcCPULoad_IdleTimerProc();
void CalcCPULoad_SetStopHandler(void (*handler)());
int CalcCPULoad_RingSize();
// Back to the state at program start (tests).
void CalcCPULoad_Reset();
