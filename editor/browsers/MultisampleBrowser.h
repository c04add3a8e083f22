#pragma once
// The red picker of an oscillator's multisample (or drum kit) number; for
// mono and stereo multisamples a selector narrows it to one family.
#include "editor/browsers/RedBrowserBase.h"

class XEDropdownList;

class MultisampleBrowser : public RedBrowserBase {
 public:
  static constexpr int kCategoryCount = 11;
  static const char* const kCategoryNames[kCategoryCount];
  static const int kMonoSizes[kCategoryCount];
  static const int kStereoSizes[kCategoryCount];

  MultisampleBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                     const std::string& title, bool drumKit);

  bool isCategoryMenuAvailable() const;
  int getMultisampleCategory(int type, int number) const;
  bool IsDrumKit() const { return m_bDrumKit; }

  bool OnCreate() override;
  void InitListControl() override;
  void DoIt(int value) override;
  void Undo() override {}

 private:
  XEDropdownList* m_pCategory = nullptr;
  bool m_bDrumKit;
  int m_iOscType;
};
