#pragma once
// A page held by a tab strip: every edit page, browser and sub-page. It
// adds a name, the strip that holds it, an optional sub-level strip of its
// own, a modal mode, and two behaviours shared by all pages: a click
// anywhere ends a running audition, and a click on a sound selector asks
// the root layer to open the matching browser.
#include <list>
#include <string>

#include "editor/controls/ITabPageLayer.h"
#include "editor/shell/XECommandQueue.h"
#include "editor/shell/XESynthLayer.h"

class CHfcBmp;
class CHfcWindow;
class CTabControl;
struct UI_FORMINFO;

struct CTabPageLayerCreateParam {
  int width = 0;   // 0: the background's width
  int height = 0;  // 0: the background's height
  CHfcBmp* background = nullptr;
};

class CTabPageLayer : public XESynthLayer, public ITabPageLayer {
 public:
  CTabPageLayer(Oskend::IRemoteSynth* synth, const std::string& name);
  ~CTabPageLayer() override;

  using XESynthLayer::Create;
  virtual bool Create(const CTabPageLayerCreateParam& param, CHfcWindow* window);
  // Builds the page from a form: every item the factory can make becomes a
  // control of the page, linked to its parameter; graphs get their
  // managers. An empty background name takes "Background_SubTab".
  virtual bool Create(const UI_FORMINFO& form, CHfcWindow* window, const std::string& background);
  virtual bool DoModal();
  virtual bool EndModal();
  bool IsModal() const { return m_bModal; }

  // ITabPageLayer.
  CHfcWindowLayer* GetTabPageWindowLayer() override { return this; }
  const std::string& GetTabPageName() const override { return m_name; }
  void SetOwnerTabControl(CTabControl* strip) override { m_pOwnerTab = strip; }
  void SetTabPageRefresh(bool refresh) override {
    if (refresh) RequestRedraw();
  }
  void OnActivate() override {}
  void OnDeactivate() override {}

  CTabControl* GetOwnerTabControl() const { return m_pOwnerTab; }
  CTabControl* GetSublevelTabControl() const { return m_pSublevelTab; }

  bool Show(bool redraw) override;
  bool Hide(bool redraw) override;
  bool OnCreate() override;
  bool OnDestroy() override;
  void OnMoved(int x, int y) override;
  void OnIdle(unsigned long elapsed) override;
  bool PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

  // A modal page holds the window's keyboard: the keys that no control of
  // the page takes go to its control-key handlers (with no control), where
  // the browsers and dialogs answer Escape, and reach nothing else.
  using CHfcKeyListener::OnHfcKeyDown;
  using CHfcKeyListener::OnHfcKeyUp;
  using CHfcKeyListener::OnHfcKeyChar;
  bool OnHfcKeyDown(CHfcKeyFocus* focus, int chr, int key, int mods) override;
  bool OnHfcKeyUp(CHfcKeyFocus* focus, int chr, int key, int mods) override;
  bool OnHfcKeyChar(CHfcKeyFocus* focus, int chr) override;

 protected:
  // The graph managers of a form item of class 19 to 23 (item id and
  // class as the form gives them).
  void AddFormGraphManagers(int classNumber, int itemId, CHfcControl* control);

  // The root layer's command queue for a selector click, null when the
  // page does not sit where it can find one.
  virtual XECommandQueue* FindCommandQueue();
  // Posts the browser command of a sound selector; true when the control
  // is one (handled even when nothing is posted).
  bool PostSelectorCommand(CHfcControl* control);

  std::string m_name;
  CTabControl* m_pOwnerTab = nullptr;
  CTabControl* m_pSublevelTab = nullptr;
  std::list<int> m_firstList;
  std::list<int> m_secondList;
  bool m_bModal = false;
};
