#pragma once
// The browser a sound selector's click opens, by the selector's kind.

// The browser kind for selector kinds 0 to 7; -1 for any other kind.
int GetBrowserKindOfSelector(int selectorKind);
