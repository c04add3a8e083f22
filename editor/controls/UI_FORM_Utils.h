#pragma once
// Turns the items of a compiled-in form into controls through the control
// factory.
#include <map>
#include <string>

#include "editor/controls/UI_FORMINFO.h"
#include "editor/controls/stTextDrawInfo.h"

class CHfcBmp;
class CHfcControl;
class XEControlCreater;

namespace UI_FORM_Utils {

// Item class names and their numbers; filled on the first classification.
extern std::map<std::string, int> gClassName2IntMap;

// The item class's number, -1 for an unknown name.
int GetItemClassInt(const UI_FORMINFO& item);
// Every class but "text" (and not -1).
bool IsControlClass(int classNumber);
// The drop-down type of a "popupmenu" item by its width; -1 below 31.
int DropdownTypeForWidth(int width);
// The label style of a "text" item by its font.
int LabelStyleForFont(const char* fontName);
// The item's control, made by the factory; null for the classes that make
// none and for unknown names. The background is the factory's.
CHfcControl* CreateControl(XEControlCreater* creater, const UI_FORMINFO& item, CHfcBmp* background);
stTextDrawInfo CreateDrawTextInfo(const UI_FORMINFO& item);

}  // namespace UI_FORM_Utils
