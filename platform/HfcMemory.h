#pragma once
// Heap helpers of the framework (the C heap). Every allocator returns null
// when no memory can be had; a failed reallocation leaves the block valid.
#include <cstddef>

void* HfcMemAlloc(size_t size);
void* HfcMemRealloc(void* block, size_t size);
void HfcMemFree(void* block);  // null is allowed
void* HfcMemAllocClear(size_t size);
// Resizes and zero-fills the whole resized block.
void* HfcMemReallocClear(void* block, size_t size);
void* HfcMemSet(void* block, int value, int count);

// A block whose address is a multiple of alignment (a power of two), freed
// with HfcAlignedFree only. Null for a bad alignment or size, or no memory.
void* HfcAlignedAlloc(long size, long alignment);
void HfcAlignedFree(void* p);  // null is allowed
