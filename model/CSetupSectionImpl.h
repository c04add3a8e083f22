#pragma once
// The editor's own settings (what a data file holds, start-up behaviour,
// port names, MIDI routing switches), kept in the preferences store under
// "Vesk Editor", one key per row name, and never sent to the hardware.
#include <cstdint>

#include "model/CSectionImplBaseT.h"
#include "model/FXBFILTERINFO.h"
#include "model/IPlugInHostInfo.h"
#include "model/ISection.h"

class CSetupSectionImpl : public CSectionImplBaseT<CSetupSectionImpl, Oskend::ISection> {
 public:
  static constexpr unsigned kSize = 404;
  static constexpr const char* kPreferencesDomain = "Vesk Editor";

  // block: the model's 404-byte setup data. plugIn may be null (no host
  // queries are made then).
  void Init(IHostProxy* host, std::uint8_t* block, Oskend::IPlugInHostInfo* plugIn);

  bool PersistLoad();
  bool PersistSave();
  bool PersistSave(int id);
  bool BuildFilter(Oskend::FXBFILTERINFO* out);

  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;

 private:
  Oskend::IPlugInHostInfo* m_plugIn = nullptr;
};
