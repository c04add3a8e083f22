#pragma once
// The pages of the root layer's three main tab strips, one factory per
// strip (performance, program, global), in tab order. A page whose own
// class has not landed yet is an empty tab page of the same name, so the
// strips, the mode switching and the menus work already; swapping in the
// real class is a change of one line here.
#include <vector>

class CTabPageLayer;
namespace Oskend {
class IRemoteSynth;
}

std::vector<CTabPageLayer*> CreatePerfMainPages(Oskend::IRemoteSynth* synth);
std::vector<CTabPageLayer*> CreateProgMainPages(Oskend::IRemoteSynth* synth);
std::vector<CTabPageLayer*> CreateGlobalMainPages(Oskend::IRemoteSynth* synth);
