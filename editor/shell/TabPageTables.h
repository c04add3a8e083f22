#pragma once
// Fixed tables of the tab pages: the parameter ids a key-tracking graph of
// a form binds to, and the browser a sound selector's click opens.

struct SKeyTrkGraphIds {
  int base;   // -1 for an item id that is not a key-tracking graph
  int extra;  // the one-id array: 0xD00 for odd item ids, else -1
};

// Form item ids 0x12500 to 0x12505.
SKeyTrkGraphIds GetKeyTrkGraphIds(int itemId);

// The browser kind for selector kinds 0 to 7; -1 for any other kind.
int GetBrowserKindOfSelector(int selectorKind);
