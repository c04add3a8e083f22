// Short forms of list items, by item. Each stays told apart from the other
// items of its list: the timbres' forced oscillator mode reads "PRG",
// "Poly", "Mono", "Legato" (or "M.Leg" where "Legato" would meet the
// face's edge).
#include "editor/controls/XEListShortForms.h"

const tagXEListShortForm XE_LIST_SHORT_FORMS[] = {
    {"Program", {"PRG", nullptr}},
    {"Mono Legato", {"Legato", "M.Leg"}},
};

const int XE_LIST_SHORT_FORM_COUNT = static_cast<int>(sizeof XE_LIST_SHORT_FORMS / sizeof XE_LIST_SHORT_FORMS[0]);
