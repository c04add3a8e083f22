#include "host/NRXAlert.h"

#include "host/NRXCFObject.h"
#include "host/StatusText.h"
#include "os/Alert.h"
#include "platform/NRXException.h"

namespace {

NRXCFObject& Title() {
  static NRXCFObject title;
  return title;
}

os::Alert::Icon IconFor(short type) {
  switch (type) {
    case NRXAlert::kStopAlert: return os::Alert::Icon::kStop;
    case NRXAlert::kNoteAlert: return os::Alert::Icon::kNote;
    case NRXAlert::kCautionAlert: return os::Alert::Icon::kCaution;
    default: return os::Alert::Icon::kPlain;
  }
}

}  // namespace

namespace NRXAlert {

void SetTitleText(CFStringRef title) { Title().Reset(HostStringRetain(title)); }

CFStringRef GetTitleText() { return Title().get(); }

int ShowStandardAlert(short alertType, CFStringRef title, CFStringRef message) {
  std::unique_ptr<os::Alert> alert = os::Alert::Create();
  if (!alert) throw NRXMacOSException(kStatusMemFullErr, "CreateStandardAlert");
  os::Alert::Request r;
  r.mainText = HostStringBytes(title);
  r.explanation = HostStringBytes(message);
  r.buttons = {os::Alert::kOkText};
  r.icon = IconFor(alertType);
  alert->Run(r);
  return 0;
}

int MessageAlert(CFStringRef message, short alertType, void*) {
  if (!Title().get()) throw NRXNullException("*gTitleText", nullptr);
  return ShowStandardAlert(alertType, Title().get(), message);
}

int ErrorAlert(CFStringRef message, void* window) { return MessageAlert(message, kStopAlert, window); }

}  // namespace NRXAlert
