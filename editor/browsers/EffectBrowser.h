#pragma once
// The red picker of an effect type, optionally narrowed to one category,
// listing only the types the slot may take.
#include "editor/browsers/RedBrowserBase.h"

class XEDropdownList;
class XEStaticText;

class EffectBrowser : public RedBrowserBase {
 public:
  static constexpr int kCategoryCount = 6;
  // Types per category; a category's block starts after those before it.
  static const int kCategorySizes[kCategoryCount];
  static const char* const kCategoryNames[kCategoryCount];

  EffectBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter, const std::string& title);

  bool OnCreate() override;
  void InitListControl() override;
  void DoIt(int value) override;
  void Undo() override {}

  bool IsCategoryMenuEnabled() const { return m_bMenuEnabled; }
  XEDropdownList* GetCategorySelector() const { return m_pCategory; }
  // "Organ FX" only for slots whose type range goes past 62.
  bool IsOrganFxOffered() const { return m_enable[kCategoryCount]; }

 private:
  XEDropdownList* m_pCategory = nullptr;
  bool m_bMenuEnabled;
  // "ALL" and the categories, as the selector's popup offers them.
  bool m_enable[kCategoryCount + 1] = {true, true, true, true, true, true, true};
};
