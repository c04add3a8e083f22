#pragma once
// The one model behind every open sound browser: the category,
// sub-category and bank filters they all show, the sound auditioned from a
// browser, and the pages to refresh when that state or the synthesizer
// changes. It draws nothing; synthesizer notices reach it on any thread
// and are handled on the GUI thread when the root layer pumps it.
#include <vector>

#include "editor/shell/XERemoteSynthEventHandler.h"
#include "model/ISound.h"
#include "remote/IRemoteSynth.h"

class BlueBrowserBase;

// Category (low 5 bits, capped at 6) and sub-category (top 3 bits) of a
// stored sound; -1 in sound modes without categories.
int GetCategory(int mode, Oskend::ISound* sound, int* subCategory);

class BlueBrowserData : public XERemoteSynthEventHandler {
 public:
  explicit BlueBrowserData(Oskend::IRemoteSynth* synth);
  ~BlueBrowserData() override = default;

  Oskend::IRemoteSynth* GetRemoteSynth() const { return m_pRemoteSynth; }

  // Advised at every opening, so browsers opened after an earlier group
  // closed still hear mode, bank-list and audition-end notices.
  void Advise();
  void Unadvise();
  bool IsAdvised() const { return m_bAdvised; }

  void AddBrowser(BlueBrowserBase* browser);
  void RemoveBrowser(BlueBrowserBase* browser);
  void ClearBrowsers() { m_browsers.clear(); }
  const std::vector<BlueBrowserBase*>& GetBrowsers() const { return m_browsers; }

  void SetCurrentSound(const Oskend::SSoundIndex& sound);
  const Oskend::SSoundIndex& GetCurrentSound() const { return m_current; }
  void CancelAudition();
  void OKAudition();
  void UpdateSelection();
  void UpdateAllBrowsers(BlueBrowserBase* from, bool rebuildSelectors);
  void OnIdle(int elapsed);

  int m_iCategory = -1;
  int m_iSubCategory = -1;
  int m_iBank = -1;

 protected:
  void OnIdleRemoteSynthModeChanged(Oskend::IRemoteSynth*, int) override;
  void OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                        const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) override;
  void OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool on) override;

 private:
  void ResetAll();

  Oskend::IRemoteSynth* m_pRemoteSynth;
  std::vector<BlueBrowserBase*> m_browsers;
  Oskend::SSoundIndex m_current{0xFF, 0xFF};
  bool m_bAdvised = false;
};
