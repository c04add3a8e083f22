#pragma once
// The system's standard application-modal alert: a bold main text, an
// explanation, an icon and one to three buttons. The headless form answers
// from a script that tests fill and keeps a transcript of what it showed;
// a drawn form can be installed by the GUI layer through SetFactory.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace os {

class Alert {
 public:
  enum class Icon { kPlain, kNote, kCaution, kStop };

  // The system's own texts of its standard buttons.
  static constexpr const char* kOkText = "OK";
  static constexpr const char* kCancelText = "Cancel";
  static constexpr const char* kOtherText = "Don't Save";

  struct Request {
    std::string mainText;
    std::string explanation;
    std::vector<std::string> buttons;  // first is the default, second cancels
    Icon icon = Icon::kNote;
  };

  virtual ~Alert() = default;
  // Shows the alert and waits; returns 1 for the first button, 2, 3.
  virtual int Run(const Request& request) = 0;

  using Factory = std::function<std::unique_ptr<Alert>()>;
  static std::unique_ptr<Alert> Create();
  static void SetFactory(Factory f);  // empty: back to the headless form
};

class HeadlessAlert : public Alert {
 public:
  struct Shown {
    Request request;
    int answer;
  };
  // Answers for the next alerts in order; an alert without a scripted answer
  // (or with one outside its buttons) gets the default (first) button.
  static void Script(int button);
  static std::vector<Shown> Transcript();
  static void Reset();  // clears the script and the transcript

  int Run(const Request& request) override;
};

}  // namespace os
