#pragma once
// What a list's face shows of an item its face is too narrow for: the
// item's short form, from a table of the words this editor's lists hold
// ("Program" as "PRG", the short form the synthesizer's own portamento and
// bend range values use), so that the face shows a word a reader knows
// rather than a cut one ("Progr...") or initials ("ML"). Items without a
// short form that fits are left to the face's own fitting.
#include <string>

#include "hfc/HfcBmpFontInfo.h"

struct tagXEListShortForm {
  const char* item;
  const char* forms[2];  // the longer first; null for none
};

class XEListShortForms {
 public:
  // The item when its ink stands clear of the end of a text box `width`
  // wide, else its first short form that does, else the item itself.
  // Main thread only (the font's measures).
  static std::string Fit(tagHfcBmpFontInfo* font, const std::string& item, int width);
};

// The table, in its own file.
extern const tagXEListShortForm XE_LIST_SHORT_FORMS[];
extern const int XE_LIST_SHORT_FORM_COUNT;
