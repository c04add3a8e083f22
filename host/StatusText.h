#pragma once
// Words for the status codes and call names that the program's failures
// carry, so that no alert shows a bare code or a system call's name.
#include <string>

// The classic system's status codes that the program's own failures carry.
constexpr long kStatusParamErr = -50;             // a value was refused
constexpr long kStatusMemFullErr = -108;          // out of memory
constexpr long kStatusCantOpenComponent = -2003;  // the component could not be opened

// "the audio device is gone" for a known status; "status <code>" else.
std::string StatusText(long code);
// "starting the audio device" for a known call name; the name else.
std::string CallText(const std::string& call);
