#include "editor/shell/TabPageTables.h"

#include <iterator>

namespace {

constexpr int kKeyTrkFirstItem = 0x12500;
constexpr int KEYTRK_BASES[] = {0x1F00, 0x2F00, 0x1800, 0x2800, 0x1B00, 0x2B00};
constexpr int SELECTOR_BROWSER_KINDS[] = {3, 1, 2, 0, 0, 5, 6, 7};

}  // namespace

SKeyTrkGraphIds GetKeyTrkGraphIds(int itemId) {
  const int i = itemId - kKeyTrkFirstItem;
  if (i < 0 || i >= static_cast<int>(std::size(KEYTRK_BASES))) return {-1, -1};
  return {KEYTRK_BASES[i], (itemId & 1) ? 0xD00 : -1};
}

int GetBrowserKindOfSelector(int selectorKind) {
  if (selectorKind < 0 || selectorKind >= static_cast<int>(std::size(SELECTOR_BROWSER_KINDS)))
    return -1;
  return SELECTOR_BROWSER_KINDS[selectorKind];
}
