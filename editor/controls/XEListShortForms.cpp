#include "editor/controls/XEListShortForms.h"

#include "hfc/HfcTextFit.h"

namespace {
// A face's text box reaches to its frame's last column, where the face
// draws its edge: a text that stays two columns short of it stands clear.
constexpr int kClearOfEdge = 2;
}  // namespace

std::string XEListShortForms::Fit(tagHfcBmpFontInfo* font, const std::string& item, int width) {
  const int room = width - kClearOfEdge;
  if (HfcGetBmpTextInkWidth(font, item) <= room) return item;
  for (int i = 0; i < XE_LIST_SHORT_FORM_COUNT; ++i) {
    if (item != XE_LIST_SHORT_FORMS[i].item) continue;
    for (const char* form : XE_LIST_SHORT_FORMS[i].forms)
      if (form && HfcGetBmpTextInkWidth(font, form) <= room) return form;
  }
  return item;
}
