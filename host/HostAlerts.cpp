#include "host/HostAlerts.h"

#include "host/HostString.h"
#include "host/NRXAlert.h"
#include "host/NRXCFObject.h"
#include "platform/NRXException.h"

void ShowNoteAlert(const std::string& key) {
  NRXCFObject message(HostStringCreate(key));
  NRXAlert::MessageAlert(message.get(), NRXAlert::kNoteAlert);
}

void ShowErrorAlert(const std::string& key, const std::string& detail) {
  const std::string text = detail.empty() ? key : key + "\n" + detail;
  NRXCFObject message(HostStringCreate(text));
  if (!message.get()) throw NRXNullException("*cfMessage", nullptr);
  NRXAlert::ErrorAlert(message.get());
}
