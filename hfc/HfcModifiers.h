#pragma once
// Modifier bits of the framework's mouse and key events.
constexpr int kHfcModShift = 1;
constexpr int kHfcModCommand = 2;
constexpr int kHfcModOption = 4;
constexpr int kHfcModControl = 8;
