#pragma once
// Standard alerts that all carry the application's name as their title.
#include "host/HostString.h"

namespace NRXAlert {

enum : short { kStopAlert = 0, kNoteAlert = 1, kCautionAlert = 2, kPlainAlert = 3 };

// Keeps a copy of the title; the former one is released.
void SetTitleText(CFStringRef title);
CFStringRef GetTitleText();
// Runs the alert modally with one OK button; returns 0.
int ShowStandardAlert(short alertType, CFStringRef title, CFStringRef message);
// Without a title set: NRXNullException "*gTitleText". The window is unused.
int MessageAlert(CFStringRef message, short alertType, void* window = nullptr);
int ErrorAlert(CFStringRef message, void* window = nullptr);

}  // namespace NRXAlert
