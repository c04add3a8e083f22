#include "editor/shell/IModalBrowsers.h"

namespace {
IModalBrowsers::Factory& Slot() {
  static IModalBrowsers::Factory factory;
  return factory;
}
}  // namespace

void IModalBrowsers::SetFactory(Factory factory) { Slot() = std::move(factory); }

const IModalBrowsers::Factory& IModalBrowsers::GetFactory() { return Slot(); }
