#pragma once
// The category names page: the main category names on the left, the eight
// sub-category names of the main category last clicked on the right, each
// a 24-character name of the global section.
#include <string>

#include "editor/pages/combi_global/GlobalPageLayerBase.h"

class CHfcCtrlCharEditText;

class GlobalCategoryNameLayer : public GlobalPageLayerBase {
 public:
  enum eCAT_TYPE { eCAT_TYPE_PROG = 0 };
  static constexpr int kNameLength = 24;
  static constexpr int kMaxMainCategories = 7;
  static constexpr int kSubCategories = 8;
  // The frame that marks the main category whose sub-categories are shown.
  static constexpr unsigned kSelectionColor = 0xFFF0A030u;

  explicit GlobalCategoryNameLayer(Oskend::IRemoteSynth* synth);

  bool OnCreate() override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  void OnPostDrawBackground(CHfcOffscreenContext* dc) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;

  virtual void CreateEditControls();
  virtual void ChangeNewMainCategory();
  virtual void ChangeNewSubCategory();
  virtual int GetMainCatIdTop(eCAT_TYPE type);
  virtual int GetSubCatIdTop(eCAT_TYPE type, int main);
  virtual std::string GetSectionLabel();
  virtual void GetSectionLabel2(std::string& out);

  int GetSelectedMainCategory() const { return m_iSelected; }
  int GetSubIdTop() const { return m_iSubIdTop; }

 private:
  eCAT_TYPE m_eType = eCAT_TYPE_PROG;
  int m_iMainIdTop = static_cast<int>(0x90000000u);
  int m_iSubIdTop = static_cast<int>(0x90000020u);
  int m_iSelected = 0;
  int m_iMainCount = 6;
  CHfcCtrlCharEditText* m_mainFields[kMaxMainCategories] = {};
  CHfcCtrlCharEditText* m_subFields[kSubCategories] = {};
  CHfcControl* m_pMainHeading = nullptr;
  CHfcControl* m_pSubHeading = nullptr;
};
