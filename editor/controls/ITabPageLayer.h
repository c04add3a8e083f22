#pragma once
// What a tab strip needs of the pages its tabs select. The pages are
// window layers of the editor shell, which builds on the controls; they
// implement this and hand the strip themselves.
#include <string>

class CHfcWindowLayer;
class CTabControl;

class ITabPageLayer {
 public:
  virtual ~ITabPageLayer() = default;
  // The page as a layer of its window.
  virtual CHfcWindowLayer* GetTabPageWindowLayer() = 0;
  // Drawn on the tab of a strip that has exactly one page.
  virtual const std::string& GetTabPageName() const = 0;
  // The strip that owns the page (null when removed).
  virtual void SetOwnerTabControl(CTabControl* strip) = 0;
  // Asks the page to refresh its controls at its next idle.
  virtual void SetTabPageRefresh(bool refresh) = 0;
  virtual void OnActivate() {}
  virtual void OnDeactivate() {}
};
