#pragma once
// Processor capability queries of the framework.

// Always 1: the one processor family the framework distinguishes.
int HfcGetCpuType();
// Capability bits 0, 2, 3 and 6 (0x4D), fixed for the supported processors.
unsigned long HfcGetCpuSupport();
// The vector unit of a processor family this build never runs on: false.
bool HfcMacIsAltiVecAvailable();
