#pragma once
// Builds the hand-made part of a page: framed panels (XEControlContainer)
// in page coordinates and, inside them, controls made by the control
// factory relative to the panel. A control that the factory cannot make is
// skipped, so a missing skin costs a control, never the page.
#include <string>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlFilterGraph.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/eMode.h"

class CHfcBmp;
class CHfcControl;
class XEControlContainer;
class XESynthLayer;

class PageBuilder {
 public:
  PageBuilder(XESynthLayer* page, eMode mode) : m_pPage(page), m_eMode(mode) {}

  static CHfcBmp* Skin(const std::string& name);
  static int SkinWidth(const std::string& name);
  static int SkinHeight(const std::string& name);

  // A panel of the skin at (x, y); a size of -1 takes the skin's. The
  // panel becomes the current one: Creater() draws relative to it.
  XEControlContainer* Box(const std::string& skin, int x, int y, int w = -1, int h = -1);
  XEControlCreater& Creater() { return m_creater; }
  XEControlContainer* Current() const { return m_pBox; }

  // Adds a made control to the page and the current panel, makes the page
  // its listener, shows it and, with a parameter, links and synchronises
  // it in the builder's mode. Null passes through.
  template <class T>
  T* Put(T* control, int pid = -1, bool listen = true) {
    return static_cast<T*>(PutControl(control, pid, listen));
  }
  CHfcControl* PutControl(CHfcControl* control, int pid, bool listen);
  // A label: text at (x, y) of the panel, w x h, of label style `style`.
  CHfcControl* Label(int x, int y, const std::string& text, int w, int h, int style, int id = -1,
                     int hAlign = 0);

 private:
  XESynthLayer* m_pPage;
  eMode m_eMode;
  XEControlContainer* m_pBox = nullptr;
  XEControlCreater m_creater;
};
