#pragma once
// A deferred command that pages post to the root layer, carried out on the
// root layer's next idle tick, after the click that caused it has unwound.
#include <cstdint>

struct XECommand {
  enum Type : int32_t {
    kOpenAbout = 0,
    kOpenListBrowser = 1,
    kOpenWriteDialog = 2,
    kOpenParamBrowser = 3,
  };
  int32_t type = 0;
  int32_t a1 = 0;  // browser kind
  int32_t a2 = 0;  // target mode
  int32_t a3 = 0;  // parameter id the browser edits
};
