#include "editor/browsers/EffectBrowser.h"

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEStaticText.h"
#include "model/SectionOfferLists.h"
#include "model/paramdesc/SParamDesc.h"

const int EffectBrowser::kCategorySizes[kCategoryCount] = {7, 13, 9, 14, 19, 2};
const char* const EffectBrowser::kCategoryNames[kCategoryCount] = {
    "Dynamics", "EQ/Filter", "Overdrive/Amp/Mic", "Phaser/Modulation", "Mono - Mono (Dyn/EQ/Phs)",
    "Organ FX"};

namespace {
constexpr unsigned kRed = 0xFFBF5941u;
constexpr int kTypeCount = 135;
}  // namespace

EffectBrowser::EffectBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                             const std::string& title)
    : RedBrowserBase(synth, mode, parameter, title, true, false),
      m_bMenuEnabled(parameter != 0x0800 && parameter != 0x0801 && parameter != 0x1800 &&
                     parameter != 0x1801) {}

bool EffectBrowser::OnCreate() {
  using browserkit::Put;
  XEControlCreater f(m_pBackground, 0, 0);
  XEStaticText* label = Put(
      this, f.CreateStaticText(13, 8, 100, 13, "CATEGORY", "FontGeneva10", kRed, 0, 0, -1), false);
  if (label && !m_bMenuEnabled) label->Disable(false);
  m_pCategory = Put(this, f.CreateDropdownList(10, 19, 16, kCategoryId));
  browserkit::FitWidth(m_pCategory, 216);
  if (m_pCategory) {
    m_pCategory->AddItem("ALL", false);
    for (const char* name : kCategoryNames) m_pCategory->AddItem(name, false);
    SParamDesc desc{};
    const bool hasDesc = GetParamDesc(&desc, GetTargetMode(), m_iParameter);
    m_pCategory->SetMinIntValue(-1, false);
    const int max = !hasDesc || desc.max > 62 ? 5 : 4;
    m_pCategory->SetMaxIntValue(max, false);
    for (int i = 0; i <= kCategoryCount; ++i) m_enable[i] = i - 1 <= max;
    m_pCategory->SetEnableParameterList(m_enable, kCategoryCount + 1);
    m_pCategory->SetIntValue(-1, false);
    if (!m_bMenuEnabled) m_pCategory->Disable(false);
  }
  return RedBrowserBase::OnCreate();
}

void EffectBrowser::InitListControl() {
  int category = m_pCategory ? m_pCategory->GetIntValue() : -1;
  if (category == XEDropdownList::kNone) category = -1;
  m_pList->ClearItems();
  SParamDesc desc{};
  if (!GetParamDesc(&desc, GetTargetMode(), m_iParameter)) return;
  int first = desc.min;
  int last = desc.max;
  if (category >= 0 && category < kCategoryCount) {
    first = 0;
    for (int c = 0; c < category; ++c) first += kCategorySizes[c];
    last = first + kCategorySizes[category] - 1;
  }
  const Oskend::SOfferList* avail = Oskend::GetFxTypeList(GetTargetMode(), m_iParameter);
  for (int t = first; t <= last; ++t) {
    if (avail && !(t >= 0 && t < kTypeCount && avail->list[t] == 1)) continue;
    browserkit::AddItem(m_pList, ValueText(desc, t), t);
  }
  FinishList();
}

void EffectBrowser::DoIt(int value) { PutParamValue(GetTargetMode(), m_iParameter, value); }
