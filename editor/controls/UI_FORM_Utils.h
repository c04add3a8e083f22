#pragma once
// Classification of form items by class name, and what the page framework
// needs to turn an item into a control or a text.
#include <map>
#include <string>

#include "editor/controls/UI_FORMINFO.h"
#include "editor/controls/stTextDrawInfo.h"

namespace UI_FORM_Utils {

// Class name -> number, filled on first use.
extern std::map<std::string, int> gClassName2IntMap;

// The number of the item's class name (text 0, checkbox 11 ... progselectL
// 40), -1 for an unknown name.
int GetItemClassInt(const UI_FORMINFO& item);
// True for the classes that make controls: numbers above 10.
bool IsControlClass(int classNumber);
// The label style of a "text" item by its font: 1 "FontArialB12", 2
// "FontHelvB11", otherwise 0.
int GetLabelStyle(const UI_FORMINFO& item);
// The drop-down type of a "popupmenu" item by its width; -1 below 31
// pixels (no control).
int GetDropdownTypeByWidth(int width);
// Item id, place, width and text, with the item's font from the font
// registry or, when that names no font, the picture of that name.
stTextDrawInfo CreateDrawTextInfo(const UI_FORMINFO& item);

}  // namespace UI_FORM_Utils
