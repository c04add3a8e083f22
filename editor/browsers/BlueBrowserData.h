#pragma once
// The one model behind every open sound browser: the category,
// sub-category and bank filters they all show, the sound auditioned from a
// browser, and the pages to refresh when that state or the synthesizer
// changes. It draws nothing; synthesizer notices reach it on any thread
// and are handled on the GUI thread when the root layer pumps it.
#include <cstdint>
#include <vector>

#include "editor/shell/XERemoteSynthEventHandler.h"
#include "os/MainLoop.h"
#include "model/ISound.h"
#include "remote/IRemoteSynth.h"

class BlueBrowserBase;

// Category (low 5 bits, capped at 6) and sub-category (top 3 bits) of a
// stored sound; -1 in sound modes without categories.
int GetCategory(int mode, Oskend::ISound* sound, int* subCategory);

class BlueBrowserData : public XERemoteSynthEventHandler {
 public:
  // The least time between two program changes a browser sends.
  static constexpr uint64_t kSoundPauseMs = 200;

  explicit BlueBrowserData(Oskend::IRemoteSynth* synth);
  ~BlueBrowserData() override;

  Oskend::IRemoteSynth* GetRemoteSynth() const { return m_pRemoteSynth; }

  // Advised at every opening, so browsers opened after an earlier group
  // closed still hear mode, bank-list and audition-end notices.
  void Advise();
  void Unadvise();
  bool IsAdvised() const { return m_bAdvised; }

  void AddBrowser(BlueBrowserBase* browser);
  void RemoveBrowser(BlueBrowserBase* browser);
  void ClearBrowsers();
  const std::vector<BlueBrowserBase*>& GetBrowsers() const { return m_browsers; }

  void SetCurrentSound(const Oskend::SSoundIndex& sound);
  const Oskend::SSoundIndex& GetCurrentSound() const { return m_current; }
  // A sound sent by a browser is playing in an audition. Loop thread.
  bool IsAuditioning() const;
  // A line chosen in a browser. Browsing must not flood the instrument
  // with program changes, nor hold the GUI: the choice is sent at once
  // when the last one went out at least kSoundPauseMs ago, else when that
  // pause is over, and a later choice replaces one still waiting.
  void ChooseSound(const Oskend::SSoundIndex& sound);
  // What the browsers show chosen: the sound waiting to be sent, else the
  // current one.
  const Oskend::SSoundIndex& GetChosenSound() const {
    return m_bPending ? m_pending : m_current;
  }
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
  // Makes the sound current; a program change that went out starts the pause.
  void SendChosenSound(const Oskend::SSoundIndex& sound);
  void StartSoundPause();
  void OnSoundPauseEnd();
  void DropChosenSound();

  Oskend::IRemoteSynth* m_pRemoteSynth;
  std::vector<BlueBrowserBase*> m_browsers;
  Oskend::SSoundIndex m_current{0xFF, 0xFF};
  bool m_bAdvised = false;
  // The mode and connection last seen: the model repeats its connection
  // notice every two seconds, and its mode notice around an audition; a
  // notice that changes neither must not end the audition or reset the
  // filters under the user.
  int m_iMode = -1;
  bool m_bConnected = false;
  os::MainLoop::TimerId m_pauseTimer = 0;
  bool m_bPending = false;
  Oskend::SSoundIndex m_pending{0xFF, 0xFF};
};
