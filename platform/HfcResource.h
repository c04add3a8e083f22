#pragma once
// Classic resources, found by type and id among the compiled-in resources
// that code registered (os/ResourceRegistry.h).
#include "os/ResourceRegistry.h"

using Handle = os::ResourceRegistry::Handle;

// The first four bytes of the type text are read as one little-endian
// 32-bit value, which is the resource type: the text holds the four-character
// code in reverse order (" GNP" finds 'PNG '). The id is taken as 16 bits.
// Null when there is no such resource or the text is shorter than four.
Handle HfcGetResource(const char* type, long id);
// Locks the resource and returns its data; null for a null handle.
void* HfcLockResource(Handle handle);
void HfcUnlockResource(Handle handle);
