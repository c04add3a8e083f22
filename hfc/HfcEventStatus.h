#pragma once
// Answers of the framework's platform event handlers.
constexpr int kHfcEventHandled = 0;
constexpr int kHfcEventNotHandled = -9874;
