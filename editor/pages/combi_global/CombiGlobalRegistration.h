#pragma once
// Puts the performance and global pages on the root layer's strips (the
// shell cannot reach them itself: the pages stand above it).
void RegisterCombiGlobalMainPages();
