#include "editor/pages/combi_global/GlobalCategoryNameLayer.h"

#include <algorithm>
#include <cstdio>

#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcOffscreenContext.h"

using combipage::AddGroup;
using combipage::Put;

namespace {
std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

void SetText(CHfcControl* control, const std::string& text) {
  if (control) control->SetPtrValue(const_cast<char*>(text.c_str()), true);
}
}  // namespace

GlobalCategoryNameLayer::GlobalCategoryNameLayer(Oskend::IRemoteSynth* synth)
    : GlobalPageLayerBase(synth, eMode_Global, true, kDumpSwitchId) {}

int GlobalCategoryNameLayer::GetMainCatIdTop(eCAT_TYPE) { return static_cast<int>(0x90000000u); }

int GlobalCategoryNameLayer::GetSubCatIdTop(eCAT_TYPE, int main) {
  static constexpr unsigned kSubIds_PROG[] = {0x90000020, 0x90000028, 0x90000030, 0x90000038,
                                              0x90000040, 0x90000048, 0x90000050};
  return static_cast<int>(kSubIds_PROG[std::clamp(main, 0, 6)]);
}

std::string GlobalCategoryNameLayer::GetSectionLabel() {
  return "Main Category of [Program]    ";
}

void GlobalCategoryNameLayer::GetSectionLabel2(std::string& out) {
  std::string name;
  if (m_iSelected >= 0 && m_iSelected < m_iMainCount && m_mainFields[m_iSelected])
    if (const char* text = static_cast<const char*>(m_mainFields[m_iSelected]->GetPtrValue()))
      name = text;
  if (name.size() > kNameLength) name.resize(kNameLength);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  out = "Sub Category of [" + TwoDigits(m_iSelected) + ": " + name + "]";
}

void GlobalCategoryNameLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteGlobalSetting, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveGlobal,
        &MenuItemInfo::kMenuItemInfo_TransmitGlobal})
    list.push_back(*m);
}

void GlobalCategoryNameLayer::CreateEditControls() {
  const int wt = combipage::SkinWidth("Container_Horizontal_1");
  const int ht = combipage::SkinHeight("Container_Horizontal_1");
  const int wb = combipage::SkinWidth("Container_Base");
  const eMode mode = GetTargetMode();

  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 5, wt, ht);
  XEControlCreater t(title->m_pBackground, title->m_iX, title->m_iY);
  Put(this, title, t.CreateLabel(5, 5, "Category Name", 120, 13, 1, 0, 0, -1));
  AddGroup(this, "Container_Base", 9, 25, wb, 32);

  XEControlContainer* left = AddGroup(this, "Container_Base", 9, 58, wb / 2 - 1, 335);
  XEControlCreater l(left->m_pBackground, left->m_iX, left->m_iY);
  m_pMainHeading = Put(this, left, l.CreateLabel(10, 7, GetSectionLabel(), 190, 13, 2, 0, 0, -1));
  for (int m = 0; m < m_iMainCount; ++m) {
    Put(this, left, l.CreateLabel(50, 27 + 24 * m, TwoDigits(m), 16, 13, 0, 0, 0, -1));
    const int id = m_iMainIdTop + m;
    m_mainFields[m] = Put(this, left, l.CreateTextEdit(70, 27 + 24 * m, 154, 13, id, true));
    if (m_mainFields[m]) {
      LinkControlWithParam(m_mainFields[m], mode, id);
      SynchronizeControlWithParam(m_mainFields[m], true);
    }
  }

  XEControlContainer* right = AddGroup(this, "Container_Base", wb / 2 + 9, 58, wb / 2, 335);
  XEControlCreater r(right->m_pBackground, right->m_iX, right->m_iY);
  std::string heading;
  GetSectionLabel2(heading);
  m_pSubHeading = Put(this, right, r.CreateLabel(10, 7, heading, 244, 13, 2, 0, 0, -1));
  for (int j = 0; j < kSubCategories; ++j) {
    Put(this, right, r.CreateLabel(50, 27 + 24 * j, TwoDigits(j), 12, 13, 0, 0, 0, -1));
    const int id = m_iSubIdTop + j;
    m_subFields[j] = Put(this, right, r.CreateTextEdit(70, 27 + 24 * j, 154, 13, id, false));
    if (m_subFields[j]) {
      LinkControlWithParam(m_subFields[j], mode, id);
      SynchronizeControlWithParam(m_subFields[j], true);
    }
  }
}

bool GlobalCategoryNameLayer::OnCreate() {
  CreateEditControls();
  const bool created = GlobalPageLayerBase::OnCreate();
  m_iSelected = 0;
  m_eType = eCAT_TYPE_PROG;
  m_iMainIdTop = GetMainCatIdTop(m_eType);
  m_iSubIdTop = GetSubCatIdTop(m_eType, 0);
  ChangeNewMainCategory();
  ChangeNewSubCategory();
  return created;
}

void GlobalCategoryNameLayer::ChangeNewMainCategory() {
  for (int m = 0; m < m_iMainCount; ++m) {
    if (!m_mainFields[m]) continue;
    RelinkControlWithParam(m_mainFields[m], GetTargetMode(), m_iMainIdTop + m);
    SynchronizeControlWithParam(m_mainFields[m], true);
  }
  SetText(m_pMainHeading, GetSectionLabel());
}

void GlobalCategoryNameLayer::ChangeNewSubCategory() {
  for (int j = 0; j < kSubCategories; ++j) {
    if (!m_subFields[j]) continue;
    RelinkControlWithParam(m_subFields[j], GetTargetMode(), m_iSubIdTop + j);
    SynchronizeControlWithParam(m_subFields[j], true);
  }
  std::string heading;
  GetSectionLabel2(heading);
  SetText(m_pSubHeading, heading);
}

bool GlobalCategoryNameLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y,
                                                        int mods) {
  if (control && dynamic_cast<CHfcCtrlCharEditText*>(control)) {
    const int pid = GetParameterIdByControl(control).pid;
    if (pid != -1 && pid >= m_iMainIdTop && pid < m_iMainIdTop + 8) {
      m_iSelected = pid - m_iMainIdTop;
      m_iSubIdTop = GetSubCatIdTop(m_eType, m_iSelected);
      ChangeNewSubCategory();
      RequestRedraw();
    }
  }
  return EditTabPageLayerBase::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
}

void GlobalCategoryNameLayer::OnPostDrawBackground(CHfcOffscreenContext* dc) {
  GlobalPageLayerBase::OnPostDrawBackground(dc);
  // The main names are fixed: a click on one chooses it rather than edits
  // it, and the chosen one is framed like a list's selection, just outside
  // the margin that the field paints itself.
  if (!dc || m_iSelected < 0 || m_iSelected >= m_iMainCount || !m_mainFields[m_iSelected]) return;
  CHfcCtrlCharEditText* field = m_mainFields[m_iSelected];
  const tagHfcRect& r = field->GetFrame();
  dc->SetPenColor(kSelectionColor);
  dc->SetPenWidth(1.0f);
  for (int out = field->GetFocusMergin() + 1; out <= field->GetFocusMergin() + 2; ++out)
    dc->FrameRect(r.left - out, r.top - out, r.right - r.left + 2 * out, r.bottom - r.top + 2 * out);
}

void GlobalCategoryNameLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  GlobalPageLayerBase::OnHfcCtrlIntValueChanged(control, value);
}

void GlobalCategoryNameLayer::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) {
  if (!control || !text || !dynamic_cast<CHfcCtrlCharEditText*>(control)) return;
  std::string name(static_cast<const char*>(text));
  name.resize(kNameLength, '\0');
  control->SetPtrValue(const_cast<char*>(name.c_str()), true);
  const SParamIdInfo link = GetParameterIdByControl(control);
  if (link.pid != -1) PutParamString(GetTargetMode(), link.pid, name);
}
