#include "editor/shell/TabPageTables.h"

#include <iterator>

namespace {

constexpr int SELECTOR_BROWSER_KINDS[] = {3, 1, 2, 0, 0, 5, 6, 7};

}  // namespace

int GetBrowserKindOfSelector(int selectorKind) {
  if (selectorKind < 0 || selectorKind >= static_cast<int>(std::size(SELECTOR_BROWSER_KINDS)))
    return -1;
  return SELECTOR_BROWSER_KINDS[selectorKind];
}
