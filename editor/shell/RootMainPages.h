#pragma once
// The pages of the root layer's three main tab strips, one factory per
// strip (performance, program, global), in tab order. The page libraries
// stand above the shell, so the build that links them installs their
// factories here (the plug-in does so when it is loaded); a strip without
// one holds empty tab pages of the same names, so the strips, the mode
// switching and the menus work all the same.
#include <vector>

class CTabPageLayer;
class IEditTabSelector;
namespace Oskend {
class IRemoteSynth;
}

enum class eMainStrip { kPerformance, kProgram, kGlobal };
// The caller owns the pages; the selector (the root layer) may be null.
using MainPagesFactory = std::vector<CTabPageLayer*> (*)(Oskend::IRemoteSynth* synth, IEditTabSelector* selector);
// Null puts the empty pages back.
void SetMainPagesFactory(eMainStrip strip, MainPagesFactory factory);

std::vector<CTabPageLayer*> CreatePerfMainPages(Oskend::IRemoteSynth* synth, IEditTabSelector* selector);
std::vector<CTabPageLayer*> CreateProgMainPages(Oskend::IRemoteSynth* synth, IEditTabSelector* selector);
std::vector<CTabPageLayer*> CreateGlobalMainPages(Oskend::IRemoteSynth* synth, IEditTabSelector* selector);
