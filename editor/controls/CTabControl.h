#pragma once
// The editor's tab strip: a row of tabs cut from one picture (top row the
// tabs selected, second row unselected), owning the list of page layers
// that its tabs select. The active page is switched on the strip's next
// idle. With more tabs than fit, tabs come in groups with previous and
// next switches ("Switch_TabSw") at the ends.
#include <cstdint>
#include <vector>

#include "editor/controls/ITabPageLayer.h"
#include "hfc/CHfcControl.h"
#include "platform/CHfcCriticalSection.h"

class CHfcBmp;
class CHfcWindow;

struct stTabControlCreateParam {
  int32_t x;
  int32_t y;
  int32_t width;   // 0: computed
  int32_t height;  // 0: tab picture height / 2
  int32_t tabWidth;
  int32_t tabHeight;
  int32_t tabGap;
  int32_t firstTabExtra;
  int32_t lastTabExtra;
  CHfcBmp* tabs;  // required
  CHfcBmp* back;
  int32_t backX;
  int32_t backY;
  int32_t overflowSwitches;
  int32_t tabsPerGroup;
  int32_t maxWidth;  // used when positive
};

class CTabControl : public CHfcControl {
 public:
  static constexpr const char* kSwitchSkin = "Switch_TabSw";
  static constexpr int kSwitchSize = 24;
  // Width the previous switch takes at the left of a group after the first.
  static constexpr int kSwitchRoom = 32;
  static constexpr uint32_t kNameColor = 0xFFE5E5E5u;

  CTabControl() = default;
  ~CTabControl() override;

  bool Create(const stTabControlCreateParam& param, int id, int flags);
  void Destroy() override;

  void AddTabPageLayer(CHfcWindow* window, ITabPageLayer* page);
  void RemoveTabPageLayer(int index);
  void RemoveTabPageLayer(ITabPageLayer* page);
  ITabPageLayer* GetTabPageLayer(int index) const;
  int GetTabPageIndex(const ITabPageLayer* page) const;
  int GetTabPageCount() const { return static_cast<int>(m_pages.size()); }
  ITabPageLayer* GetActivePage() const { return GetTabPageLayer(m_iActive); }
  int GetActivePageIndex() const { return m_iActive; }
  void SetActivePageByIndex(int index, bool unused);
  void SetActivePage(ITabPageLayer* page, bool unused);

  // The tabs' geometry and picture: tab t's face lies in the picture where
  // the strip draws and hits it.
  int GetTabWidth() const { return m_iTabWidth; }
  int GetTabGap() const { return m_iTabGap; }
  int GetFirstTabExtra() const { return m_iFirstExtra; }
  int GetLastTabExtra() const { return m_iLastExtra; }
  CHfcBmp* GetTabsPicture() const { return m_pTabs; }

  int GetNumberPfPage() const;
  bool ExistPreviousPage() const;
  bool ExistNextPage() const;
  int GetCurrentGroup() const { return m_iGroup; }
  tagHfcRect GetDecPageSwitchRect() const;
  tagHfcRect GetIncPageSwitchRect() const;
  // 1 with the tab's index for a point (control coordinates) on a tab,
  // else 0 with index -1.
  int HitTest(int x, int y, int& index) const;

  void Show(bool redraw) override;
  void Hide(bool redraw) override;
  void OnShown() override { ShowTabPageLayer(); }
  void OnHidden() override { HideTabPageLayer(); }
  void ShowTabPageLayer();
  void HideTabPageLayer();
  void RepositionTabPageLayer();

  void Idle(int elapsed) override { OnIdle(elapsed); }
  void OnIdle(int elapsed) override;
  void Draw(CHfcDrawContext* context) override;
  // A strip hidden while its page shows (an insert effect that the chosen
  // timbre lacks) gives its place back to the background it stands on.
  void Erase(CHfcDrawContext* context) override;
  bool OnHfcMouseLButtonDown(CHfcMouse* mouse, int x, int y, int mods) override;

 private:
  tagHfcPoint ClientOrigin() const;
  int GroupCount() const;
  // Tabs in the current group (all tabs without overflow switches).
  int FirstVisibleTab() const;
  int EndVisibleTab() const;
  void SelectGroup(int group);

  std::vector<ITabPageLayer*> m_pages;
  int32_t m_iActive = -1;
  int32_t m_iPrevious = -1;
  int32_t m_iTabWidth = 55;
  int32_t m_iTabHeight = 29;
  int32_t m_iTabGap = 3;
  int32_t m_iFirstExtra = 0;
  int32_t m_iLastExtra = 0;
  CHfcCriticalSection m_lock;
  CHfcBmp* m_pTabs = nullptr;
  CHfcBmp* m_pBack = nullptr;
  int32_t m_iBackX = 0;
  int32_t m_iBackY = 0;
  bool m_bOverflow = false;
  int32_t m_iGroup = 0;
  int32_t m_iTabsPerGroup = 1;
  CHfcBmp* m_pSwitches = nullptr;
};
