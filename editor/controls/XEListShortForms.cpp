#include "editor/controls/XEListShortForms.h"

#include "hfc/HfcTextFit.h"

std::string XEListShortForms::Fit(tagHfcBmpFontInfo* font, const std::string& item, int width) {
  if (HfcGetBmpTextInkWidth(font, item) <= width) return item;
  for (int i = 0; i < XE_LIST_SHORT_FORM_COUNT; ++i) {
    if (item != XE_LIST_SHORT_FORMS[i].item) continue;
    for (const char* form : XE_LIST_SHORT_FORMS[i].forms)
      if (form && HfcGetBmpTextInkWidth(font, form) <= width) return form;
  }
  return item;
}
