// The plug-in as hosts load it carries the browsers and dialogs: its root
// layer builds its modal groups through them from the first request on.
#include "editor/browsers/ModalBrowsers.h"

namespace {
const bool kBrowsersRegistered = (RegisterModalBrowsers(), true);
}  // namespace
