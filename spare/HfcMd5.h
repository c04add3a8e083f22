#pragma once
// MD5 digests (RFC 1321) with an optional starting state, so a digest can
// be chained from an earlier one.

// The 16-byte starting state of a plain digest: A, B, C, D little-endian.
extern const unsigned char kHfcMd5InitialState[16];

// Digest of `length` bytes at `data` into `digest` (16 bytes); the chaining
// state starts from the 16 bytes at `state` when given.
void HfcMd5Calc(const unsigned char* data, unsigned long length, unsigned char* digest,
                const unsigned char* state);
// The digest of a C string's bytes without its terminator.
void HfcMd5CalcFromCString(const char* text, unsigned char* digest, const unsigned char* state);
// 32 lower-case hexadecimal digits and a terminator (33 bytes).
void HfcMd5ToCString(const unsigned char* digest, char* text);
