#include "editor/browsers/MultisampleBrowser.h"

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEStaticText.h"
#include "model/paramdesc/SParamDesc.h"

const char* const MultisampleBrowser::kCategoryNames[kCategoryCount] = {
    "A.Piano", "E.Piano", "Clav",   "Organ", "Woodwind/Reed", "Strings",
    "Voice",   "Brass",   "Guitar", "Bass",  "Synth/Etc."};
const int MultisampleBrowser::kMonoSizes[kCategoryCount] = {12, 11, 5, 8, 7, 4, 12, 9, 4, 4, 60};
const int MultisampleBrowser::kStereoSizes[kCategoryCount] = {4, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0};

MultisampleBrowser::MultisampleBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                                       const std::string& title, bool drumKit)
    : RedBrowserBase(synth, mode, parameter, title, true, false),
      m_bDrumKit(drumKit),
      m_iOscType(GetParamValue(mode, parameter - 1)) {}

bool MultisampleBrowser::isCategoryMenuAvailable() const {
  return !m_bDrumKit && (m_iOscType == 0 || m_iOscType == 1);
}

int MultisampleBrowser::getMultisampleCategory(int type, int number) const {
  if (type != 0 && type != 1) return -1;
  const int* sizes = type == 0 ? kMonoSizes : kStereoSizes;
  int start = 0;
  for (int c = 0; c < kCategoryCount; ++c) {
    if (number >= start && number < start + sizes[c]) return c;
    start += sizes[c];
  }
  return -1;
}

bool MultisampleBrowser::OnCreate() {
  if (isCategoryMenuAvailable()) {
    using browserkit::Put;
    XEControlCreater f(m_pBackground, 0, 0);
    Put(this, f.CreateStaticText(13, 8, 100, 13, "CATEGORY", "FontGeneva10", 0xFFBF5941u, 0, 0, -1),
        false);
    m_pCategory = Put(this, f.CreateDropdownList(10, 19, 16, kCategoryId));
    browserkit::FitWidth(m_pCategory, 216);
    if (m_pCategory) {
      m_pCategory->AddItem("ALL", false);
      for (const char* name : kCategoryNames) m_pCategory->AddItem(name, false);
      m_pCategory->SetMinIntValue(-1, false);
      m_pCategory->SetMaxIntValue(kCategoryCount - 1, false);
      m_pCategory->SetIntValue(-1, false);
    }
  }
  return RedBrowserBase::OnCreate();
}

void MultisampleBrowser::InitListControl() {
  m_pList->ClearItems();
  SParamDesc desc{};
  if (!GetParamDesc(&desc, GetTargetMode(), m_iParameter)) return;
  int category = isCategoryMenuAvailable() && m_pCategory ? m_pCategory->GetIntValue() : -1;
  if (category == XEDropdownList::kNone) category = -1;
  for (int v = desc.min; v <= desc.max; ++v) {
    if (category != -1 && getMultisampleCategory(m_iOscType, v) != category) continue;
    std::string text = ValueText(desc, v);
    const size_t colon = text.find(':');
    if (colon != std::string::npos) text.replace(colon, 1, "  ");
    browserkit::AddItem(m_pList, text, v);
  }
  FinishList();
}

void MultisampleBrowser::DoIt(int value) { PutParamValue(GetTargetMode(), m_iParameter, value); }
