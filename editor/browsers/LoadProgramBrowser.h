#pragma once
// The red picker of a program-valued parameter: every program of the
// program banks as "bank and number, name", narrowed by category and
// sub-category; the chosen line's value goes straight into the parameter.
#include "editor/browsers/RedBrowserBase.h"

class XEDropdownList;

class LoadProgramBrowser : public RedBrowserBase {
 public:
  static constexpr int kCategorySelectorId = 256;
  static constexpr int kBankSelectorId = 257;
  static constexpr int kSubCategorySelectorId = 258;

  LoadProgramBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                     const std::string& title, bool categoryArea, bool extraArea);

  bool OnCreate() override;
  void OnIdle(unsigned long elapsed) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* item) override;
  void InitListControl() override;
  void DoIt(int value) override;
  void Undo() override {}
  virtual void UpdateSubCategoryList();
  void RequestSubCategoryRefresh() { m_bSubRefresh = true; }

  // The category a parameter's page fixes (pages 2-7 and 8-13), -1 none.
  static int FixedCategory(int parameter);

  int m_iCategory = -1;
  int m_iSubCategory = -1;
  int m_iBank = -1;
  XEDropdownList* GetCategorySelector() const { return m_pCategory; }
  XEDropdownList* GetBankSelector() const { return m_pBank; }
  XEDropdownList* GetSubCategorySelector() const { return m_pSub; }

 private:
  XEDropdownList* m_pCategory = nullptr;
  XEDropdownList* m_pSub = nullptr;
  XEDropdownList* m_pBank = nullptr;
  bool m_enable[5] = {true, true, true, true, true};
  bool m_bSubRefresh = false;
};
