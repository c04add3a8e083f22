#pragma once
// The pages of the program tab strip, in tab order: Play, Basic, Pitch,
// Filter, Amp, LFOs, AMS Mix/KTrk, Insert FX, Master FX. The caller owns
// them, creates each in its window (CTabPageLayer::Create with its
// background) and adds it to the strip. The selector (the root layer)
// receives the play overview's jumps; it may be null.
#include <memory>
#include <vector>

#include "editor/shell/CTabPageLayer.h"

class IProgTabSelector;

std::vector<std::unique_ptr<CTabPageLayer>> CreateProgramTabPages(Oskend::IRemoteSynth* synth,
                                                                  IProgTabSelector* selector);
