#pragma once
// The pages of the performance and global main tab strips, in tab order:
// play, timbre parameters, master effects; software setup, system, user
// scale, category names. The caller owns them, creates each in its window
// and adds it to the strip, as the root layer does with its strips.
#include <vector>

class CTabPageLayer;
namespace Oskend {
class IRemoteSynth;
}

std::vector<CTabPageLayer*> CreatePerformanceTabPages(Oskend::IRemoteSynth* synth);
std::vector<CTabPageLayer*> CreateGlobalTabPages(Oskend::IRemoteSynth* synth);
