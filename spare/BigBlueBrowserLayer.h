#pragma once
// A large sound browser: a three-column list with a horizontal scroll bar,
// columns of filter switches for category, sub-category and bank, and two
// information lines for the sound under the cursor. It shares the browsers'
// model with the small browser.
#include <string>

#include "editor/browsers/BlueBrowserBase.h"

class CHfcCtrlTextSwitch;
class XEStaticText;

class BigBlueBrowserLayer : public BlueBrowserBase {
 public:
  static constexpr int kCategoryId = 1001;
  static constexpr int kBankId = 1002;
  static constexpr int kSubCategoryId = 1003;
  static constexpr int kSoundLineId = 1007;
  static constexpr int kCategoryLineId = 1008;
  static constexpr int kCategorySwitches = 8;
  static constexpr int kSubCategorySwitches = 9;
  static constexpr int kBankSwitches = 16;

  BigBlueBrowserLayer(Oskend::IRemoteSynth* synth, BlueBrowserData* data, const std::string& title);
  ~BigBlueBrowserLayer() override = default;

  bool OnCreate() override;
  bool OnDestroy() override;
  void OnIdle(unsigned long elapsed) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  void UpdateBrowser(bool reset) override;
  void OnUpdateSelection() override;
  void UpdateCategorySwitch(bool reset) override;
  void UpdateSubCategorySwitch(bool reset) override;
  void UpdateBankSwitch(bool reset) override;

  // The page only reads it; the owner says when the synthesizer is ready.
  void SetSynthReady(bool ready) { m_bSynthReady = ready; }
  CHfcCtrlTextSwitch* GetCategorySwitch(int i) const { return m_category[i]; }
  CHfcCtrlTextSwitch* GetSubCategorySwitch(int i) const { return m_subCategory[i]; }
  CHfcCtrlTextSwitch* GetBankSwitch(int i) const { return m_bank[i]; }

 private:
  void LightFilters();

  CHfcCtrlTextSwitch* m_category[kCategorySwitches] = {};
  CHfcCtrlTextSwitch* m_subCategory[kSubCategorySwitches] = {};
  CHfcCtrlTextSwitch* m_bank[kBankSwitches] = {};
  XEStaticText* m_pSoundLine = nullptr;
  XEStaticText* m_pCategoryLine = nullptr;
  bool m_bSynthReady = false;
  bool m_bAdvised = false;
};
