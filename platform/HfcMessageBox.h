#pragma once
// Modal message boxes. The caption is the bold main text, the message the
// explanation below it. Buttons: 0 OK; 1 OK, Cancel; 2 "Yes", "No"; any
// other value OK, Cancel and the system's third button. Icons: 1 plain,
// 2 or 5 note, 3 caution, 4 stop; any other value keeps the buttons'
// default (plain for three buttons, note otherwise). The result is the
// number of the button pressed: 1 first (the default), 2 second, 3 third.
class CHfcWindow;

long HfcMessageBoxForWindow(const char* message, const char* caption, CHfcWindow* window,
                            long buttons, long icon);
long HfcMessageBox(const char* message, const char* caption, long buttons, long icon);
// printf-style message (cut to 511 characters), OK button, default icon.
long HfcMessageBoxFormated(const char* format, const char* caption, ...)
    __attribute__((format(printf, 1, 3)));
