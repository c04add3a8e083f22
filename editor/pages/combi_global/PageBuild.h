#pragma once
// Helpers the combination and global pages share while they lay out their
// panels: a framed group (owned by the page once added) and a control put
// on the page, made to report to it, shown and listed in its group.
#include <string>

// The controls the factory makes, complete, so that they pass as controls.
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSwitch.h"

class CHfcBmp;
class CHfcControl;
class XEControlContainer;
class XESynthLayer;

namespace combipage {

// The named skin picture, null when missing.
CHfcBmp* Skin(const std::string& name);
// Width and height of a skin picture, 0 when missing.
int SkinWidth(const std::string& name);
int SkinHeight(const std::string& name);

// A group of the page at (x, y), w x h (0: the picture's size), drawn with
// the picture; added to the page.
XEControlContainer* AddGroup(XESynthLayer* page, const std::string& skin, int x, int y, int w,
                             int h);

// Adds the control to the page (which owns it) and to the group, when
// given; the page becomes its listener and it is shown. Null stays null.
template <class T>
T* Put(XESynthLayer* page, XEControlContainer* group, T* control);

CHfcControl* PutControl(XESynthLayer* page, XEControlContainer* group, CHfcControl* control);

template <class T>
T* Put(XESynthLayer* page, XEControlContainer* group, T* control) {
  PutControl(page, group, control);
  return control;
}

}  // namespace combipage
