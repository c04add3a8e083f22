#pragma once
// The sound browser the editor opens: a category and a bank selector over
// a one-column list of the stored sounds.
#include "editor/browsers/BlueBrowserBase.h"

class XEDropdownList;

class SmallBlueBrowserLayer : public BlueBrowserBase {
 public:
  static constexpr int kCategoryId = 1001;
  static constexpr int kBankId = 1002;
  static constexpr int kSubCategoryId = 1003;

  SmallBlueBrowserLayer(Oskend::IRemoteSynth* synth, BlueBrowserData* data,
                        const std::string& title);
  ~SmallBlueBrowserLayer() override = default;

  bool OnCreate() override;
  bool OnDestroy() override;
  void OnIdle(unsigned long elapsed) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* item) override;
  void UpdateBrowser(bool rebuildSelectors) override;
  void UpdateCategorySwitch(bool reset) override;
  void UpdateSubCategorySwitch(bool reset) override;
  void UpdateBankSwitch(bool reset) override;

  XEDropdownList* GetCategorySelector() const { return m_pCategory; }
  XEDropdownList* GetBankSelector() const { return m_pBank; }

 private:
  XEDropdownList* m_pCategory = nullptr;
  XEDropdownList* m_pSubCategory = nullptr;
  XEDropdownList* m_pBank = nullptr;
  bool m_bAdvised = false;
};
