#pragma once
// An immutable, reference-counted UTF-8 string: the program's stand-in for
// the system's string objects (names of MIDI ports, alert texts, keys).
#include <string>
#include <string_view>

class HostStringObject;
using CFStringRef = const HostStringObject*;

// A new string with one reference; null when the bytes are not UTF-8.
CFStringRef HostStringCreate(std::string_view utf8);
CFStringRef HostStringRetain(CFStringRef s);
void HostStringRelease(CFStringRef s);
// The bytes; empty for null.
const std::string& HostStringBytes(CFStringRef s);
bool HostStringIsUTF8(std::string_view bytes);
