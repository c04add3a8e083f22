#pragma once
// Puts the program pages on the root layer's program strip (the shell
// cannot reach them itself: the pages stand above it).
void RegisterProgramMainPages();
