#include "plugin/CPlugInAlert.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/controls/DrawnAlert.h"

namespace {
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}
}  // namespace

bool CPlugInAlert::HasDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

int CPlugInAlert::Run(const Request& request) {
  std::string line = OneLine(request.mainText);
  if (!request.explanation.empty()) line += ": " + OneLine(request.explanation);
  const std::string answer = request.buttons.empty() ? std::string(kOkText) : request.buttons[0];
  std::fprintf(stderr, "Vesk Plug-In Editor: %s [no display: answered %s]\n", line.c_str(),
               answer.c_str());
  return 1;
}

void CPlugInAlert::Install() {
  os::Alert::SetFactory([]() -> std::unique_ptr<os::Alert> {
    if (HasDisplay()) return std::make_unique<DrawnAlert>();
    return std::make_unique<CPlugInAlert>();
  });
}

void CPlugInAlert::Uninstall() { os::Alert::SetFactory(nullptr); }
