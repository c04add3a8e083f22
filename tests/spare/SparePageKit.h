#pragma once
// Helpers of the spare page tests.
#include "editor/controls/UI_FORMINFO.h"

namespace sparetest {

// The compiled-in form with that id, or null.
inline const UI_FORMINFO* FormById(int id) {
  for (const UI_FORMINFO& form : g_uiFormInfoArray)
    if (form.id == id) return &form;
  return nullptr;
}

}  // namespace sparetest
