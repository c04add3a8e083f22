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

 private:
  XEDropdownList* m_pCategory = nullptr;
  bool m_bMenuEnabled;
};
