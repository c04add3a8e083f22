#include "platform/HfcMessageBox.h"

#include <cstdarg>
#include <cstdio>

#include "os/Alert.h"
#include "platform/HfcGuiHooks.h"
#include "platform/HfcPascalString.h"

namespace {

// The alert shows Pascal strings, so longer texts are cut to 255 bytes.
std::string Counted(const char* text) {
  unsigned char pascal[256];
  char out[256];
  HfcMacC2PStringCopy(pascal, text);
  HfcMacP2CStringCopy(out, pascal);
  return out;
}

}  // namespace

long HfcMessageBoxForWindow(const char* message, const char* caption, CHfcWindow* window,
                            long buttons, long icon) {
  using Icon = os::Alert::Icon;
  os::Alert::Request r;
  r.mainText = Counted(caption);
  r.explanation = Counted(message);
  switch (buttons) {
    case 0:
      r.buttons = {os::Alert::kOkText};
      r.icon = Icon::kNote;
      break;
    case 1:
      r.buttons = {os::Alert::kOkText, os::Alert::kCancelText};
      r.icon = Icon::kNote;
      break;
    case 2:
      r.buttons = {"Yes", "No"};
      r.icon = Icon::kNote;
      break;
    default:
      r.buttons = {os::Alert::kOkText, os::Alert::kCancelText, os::Alert::kOtherText};
      r.icon = Icon::kPlain;
      break;
  }
  switch (icon) {
    case 1: r.icon = Icon::kPlain; break;
    case 2:
    case 5: r.icon = Icon::kNote; break;
    case 3: r.icon = Icon::kCaution; break;
    case 4: r.icon = Icon::kStop; break;
    default: break;
  }
  // The box takes the mouse: a press held in the window behind it ends
  // here, its release would never come there.
  HfcReleaseMouseCapture();
  return os::Alert::Create()->Run(r);
}

long HfcMessageBox(const char* message, const char* caption, long buttons, long icon) {
  return HfcMessageBoxForWindow(message, caption, nullptr, buttons, icon);
}

long HfcMessageBoxFormated(const char* format, const char* caption, ...) {
  char text[512];
  va_list args;
  va_start(args, caption);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return HfcMessageBox(text, caption, 0, 0);
}
