#include "editor/controls/CTabControl.h"

#include <algorithm>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"

CTabControl::~CTabControl() {
  if (IsCreated()) CTabControl::Destroy();
}

bool CTabControl::Create(const stTabControlCreateParam& p, int id, int flags) {
  m_iTabWidth = p.tabWidth;
  m_iTabHeight = p.tabHeight;
  m_iTabGap = p.tabGap;
  m_iFirstExtra = p.firstTabExtra;
  m_iLastExtra = p.lastTabExtra;
  m_bOverflow = p.overflowSwitches != 0;
  m_pSwitches = nullptr;
  if (m_bOverflow) {
    // Groups of no tabs would divide by zero; one tab a group is the least.
    m_iTabsPerGroup = std::max(p.tabsPerGroup, 1);
    ResourceManager* images = ResourceManager::GetInstance();
    m_pSwitches = images ? images->LoadImage(kSwitchSkin) : nullptr;
    if (!m_pSwitches) return false;
  }
  if (!p.tabs) return false;
  m_pTabs = p.tabs;
  int width = p.width;
  if (width == 0) {
    width = m_bOverflow ? (m_iTabWidth + m_iTabGap) * m_iTabsPerGroup + 64 : m_pTabs->GetWidth();
    if (p.maxWidth > 0 && p.maxWidth < width) width = p.maxWidth;
  }
  const int height = p.height != 0 ? p.height : m_pTabs->GetHeight() / 2;
  m_pBack = p.back;
  m_iBackX = p.backX;
  m_iBackY = p.backY;
  if (!CHfcControl::Create(p.x, p.y, width, height, id)) return false;
  m_iGroupId = flags;
  Enable(false);
  SetDirty(false);
  return true;
}

void CTabControl::Destroy() {
  while (!m_pages.empty()) RemoveTabPageLayer(0);
  m_iActive = -1;
  m_iPrevious = -1;
  CHfcControl::Destroy();
}

tagHfcPoint CTabControl::ClientOrigin() const {
  int x = m_rcFrame.left;
  int y = m_rcFrame.top + m_iTabHeight;
  if (CHfcWindowLayer* layer = GetParentLayer()) {
    x += layer->GetRect().left;
    y += layer->GetRect().top;
  }
  return {x, y};
}

void CTabControl::AddTabPageLayer(CHfcWindow* window, ITabPageLayer* page) {
  if (!page) return;
  CHfcWindowLayer* layer = page->GetTabPageWindowLayer();
  if (!layer) return;
  if (m_pages.empty()) {
    m_iActive = 0;
    if (IsVisible())
      layer->Show(false);
    else
      layer->Hide(false);
    page->SetTabPageRefresh(true);
  } else {
    layer->Hide(false);
  }
  m_pages.push_back(page);
  if (window) window->AddLayer(layer, false);
  page->SetOwnerTabControl(this);
  const tagHfcPoint origin = ClientOrigin();
  layer->Move(origin.x, origin.y, true);
  // One more tab, and the first one active: the row changes.
  SetDirty(true);
}

void CTabControl::RemoveTabPageLayer(int index) {
  if (index < 0 || index >= GetTabPageCount()) return;
  ITabPageLayer* page = m_pages[index];
  page->SetOwnerTabControl(nullptr);
  CHfcWindowLayer* layer = page->GetTabPageWindowLayer();
  if (layer && layer->GetParentWindow()) layer->GetParentWindow()->RemoveLayer(layer, false);
  m_pages.erase(m_pages.begin() + index);
  SetDirty(true);
}

void CTabControl::RemoveTabPageLayer(ITabPageLayer* page) {
  if (!page) return;
  auto it = std::find(m_pages.begin(), m_pages.end(), page);
  if (it != m_pages.end()) {
    m_pages.erase(it);
    SetDirty(true);
  }
  CHfcWindowLayer* layer = page->GetTabPageWindowLayer();
  if (layer && layer->GetParentWindow()) layer->GetParentWindow()->RemoveLayer(layer, false);
  page->SetOwnerTabControl(nullptr);
}

ITabPageLayer* CTabControl::GetTabPageLayer(int index) const {
  if (index < 0 || index >= GetTabPageCount()) return nullptr;
  return m_pages[index];
}

int CTabControl::GetTabPageIndex(const ITabPageLayer* page) const {
  auto it = std::find(m_pages.begin(), m_pages.end(), page);
  return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

void CTabControl::SetActivePageByIndex(int index, bool) {
  if (index == m_iActive || index < 0 || index >= GetTabPageCount()) return;
  m_iPrevious = m_iActive;
  m_iActive = index;
  if (m_bOverflow) m_iGroup = index / m_iTabsPerGroup;
  SetDirty(true);
}

void CTabControl::SetActivePage(ITabPageLayer* page, bool) {
  const int index = GetTabPageIndex(page);
  if (index >= 0) SetActivePageByIndex(index, false);
}

int CTabControl::GroupCount() const {
  return (GetTabPageCount() + m_iTabsPerGroup - 1) / m_iTabsPerGroup;
}

int CTabControl::GetNumberPfPage() const { return m_bOverflow ? GroupCount() : 1; }

bool CTabControl::ExistPreviousPage() const { return m_bOverflow && m_iGroup > 0; }

bool CTabControl::ExistNextPage() const { return m_bOverflow && m_iGroup + 1 < GroupCount(); }

int CTabControl::FirstVisibleTab() const { return m_bOverflow ? m_iGroup * m_iTabsPerGroup : 0; }

int CTabControl::EndVisibleTab() const {
  if (!m_bOverflow) return GetTabPageCount();
  return std::min((m_iGroup + 1) * m_iTabsPerGroup, GetTabPageCount());
}

tagHfcRect CTabControl::GetDecPageSwitchRect() const {
  if (!ExistPreviousPage()) return {0, 0, 0, 0};
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  return {left + 4, top + 4, left + 4 + kSwitchSize, top + 4 + kSwitchSize};
}

tagHfcRect CTabControl::GetIncPageSwitchRect() const {
  if (!ExistNextPage()) return {0, 0, 0, 0};
  const int tabs = EndVisibleTab() - FirstVisibleTab();
  const int x = m_rcFrame.left + (m_iTabWidth + m_iTabGap) * tabs + (m_iGroup < 1 ? 4 : 36);
  const int top = m_rcFrame.top;
  return {x, top + 4, x + kSwitchSize, top + 4 + kSwitchSize};
}

int CTabControl::HitTest(int x, int y, int& index) const {
  index = -1;
  if (y > 32) return 0;
  if (m_bOverflow && m_iGroup >= 1) x -= kSwitchRoom;
  if (x < 0) return 0;
  const int n = m_bOverflow ? (m_iGroup + 1) * m_iTabsPerGroup : GetTabPageCount();
  const int step = m_iTabWidth + m_iTabGap;
  if (step <= 0) return 0;
  const int i = x / step;
  if (i >= std::min(n, GetTabPageCount())) return 0;
  index = m_bOverflow ? i + m_iGroup * m_iTabsPerGroup : i;
  return 1;
}

void CTabControl::SelectGroup(int group) {
  m_iGroup = group;
  const int index = group * m_iTabsPerGroup;
  SetActivePageByIndex(index, false);
  SetDirty(true);
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, index);
}

bool CTabControl::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int) {
  // The switch rectangles are in layer coordinates; the press is not.
  const int lx = x + m_rcFrame.left;
  const int ly = y + m_rcFrame.top;
  auto inside = [lx, ly](const tagHfcRect& r) {
    return lx >= r.left && lx < r.right && ly >= r.top && ly < r.bottom;
  };
  if (m_bOverflow && m_iGroup > 0) {
    if (inside(GetDecPageSwitchRect())) {
      SelectGroup(m_iGroup - 1);
      return true;
    }
  }
  if (ExistNextPage() && inside(GetIncPageSwitchRect())) {
    SelectGroup(m_iGroup + 1);
    return true;
  }
  int index = -1;
  if (HitTest(x, y, index) != 1) return true;
  SetActivePageByIndex(index, false);
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, index);
  return true;
}

void CTabControl::OnIdle(int elapsed) {
  CHfcControl::OnIdle(elapsed);
  if (m_iPrevious < 0) return;
  ITabPageLayer* previous = GetTabPageLayer(m_iPrevious);
  ITabPageLayer* active = GetTabPageLayer(m_iActive);
  if (previous) {
    previous->GetTabPageWindowLayer()->Hide(false);
    previous->OnDeactivate();
  }
  if (active) {
    active->GetTabPageWindowLayer()->Show(false);
    active->OnActivate();
  }
  if (previous) previous->SetTabPageRefresh(true);
  if (active) active->SetTabPageRefresh(true);
  m_iPrevious = -1;
  for (int i = 0; i < GetTabPageCount(); ++i) {
    CHfcWindowLayer* layer = m_pages[i]->GetTabPageWindowLayer();
    if (i == m_iActive)
      layer->Show(false);
    else
      layer->Hide(false);
  }
}

void CTabControl::Show(bool redraw) {
  CHfcControl::Show(redraw);
  ShowTabPageLayer();
}

void CTabControl::Hide(bool redraw) {
  CHfcControl::Hide(redraw);
  HideTabPageLayer();
}

void CTabControl::ShowTabPageLayer() {
  if (ITabPageLayer* page = GetActivePage()) page->GetTabPageWindowLayer()->Show(false);
}

void CTabControl::HideTabPageLayer() {
  for (ITabPageLayer* page : m_pages) page->GetTabPageWindowLayer()->Hide(false);
}

void CTabControl::RepositionTabPageLayer() {
  const tagHfcPoint origin = ClientOrigin();
  for (ITabPageLayer* page : m_pages) page->GetTabPageWindowLayer()->Move(origin.x, origin.y, true);
}

void CTabControl::Erase(CHfcDrawContext* dc) {
  if (!dc || !m_pBack) return;
  // The first tab starts a column left of the frame (Draw): that column
  // goes back to the background too.
  const int lead = m_rcFrame.left > 0 && m_iBackX > 0 ? 1 : 0;
  dc->CopyBmp(m_rcFrame.left - lead, m_rcFrame.top, GetWidth() + lead, GetHeight(), m_pBack, m_iBackX - lead, m_iBackY);
}

void CTabControl::Draw(CHfcDrawContext* dc) {
  if (!dc) return;
  Erase(dc);
  if (!IsVisible()) return;
  const int left = m_rcFrame.left;
  const int top = m_rcFrame.top;
  if (m_bOverflow && m_pSwitches) {
    if (m_iGroup > 0) {
      tagHfcRect r{left + 4, top + 4, left + 4 + kSwitchSize, top + 4 + kSwitchSize};
      dc->CopyBmp(&r, m_pSwitches, 0, 0);
    }
    if (m_iGroup + 1 < GroupCount()) {
      tagHfcRect r = GetIncPageSwitchRect();
      dc->CopyBmp(&r, m_pSwitches, kSwitchSize, 0);
    }
  }
  if (!m_pTabs) return;
  const int first = FirstVisibleTab();
  const int end = EndVisibleTab();
  const int count = GetTabPageCount();
  const int step = m_iTabWidth + m_iTabGap;
  for (int t = first; t < end; ++t) {
    const int j = t - first;
    int x = left - 1 + step * j;
    int sx = step * t;
    if (t != 0) {
      x += m_iFirstExtra;
      sx += m_iFirstExtra;
    }
    if (m_bOverflow && m_iGroup != 0) x += kSwitchRoom;
    int width = step;
    if (t == 0)
      width = m_iTabWidth + m_iFirstExtra + (count == 1 ? m_iLastExtra : m_iTabGap);
    else if (t == count - 1)
      width = m_iTabWidth + m_iLastExtra;
    const int sy = t == m_iActive ? 0 : m_iTabHeight;
    dc->CopyBmp(x, top, width, m_iTabHeight, m_pTabs, sx, sy);
  }
  if (end == 1 && count >= 1) {
    FontManager* fonts = FontManager::mInstance;
    tagHfcBmpFontInfo* font = fonts ? fonts->GetBmpFontInfo(FontManager::FontName_HelvB11_Shadow) : nullptr;
    if (font) {
      const std::string& name = m_pages[0]->GetTabPageName();
      const int textWidth = HfcGetBmpTextWidth(font, name.c_str());
      const int inset = std::max(0, (m_iTabWidth - textWidth) / 2);
      const int x = left + m_iFirstExtra + inset;
      // The tab's name ends at its tab, and at the strip's edge.
      const int room = std::min(m_iTabWidth - inset, m_rcFrame.right - x);
      dc->DrawBmpTextInBox(x, top + 3 + (m_iTabHeight - font->textHeight) / 2, name.c_str(), room, font,
                           kNameColor);
    }
  }
}
