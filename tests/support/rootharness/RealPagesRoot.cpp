#include "tests/support/rootharness/RealPagesRoot.h"

#include "editor/browsers/ModalBrowsers.h"
#include "editor/controls/UIFormManager.h"
#include "editor/pages/combi_global/CombiGlobalRegistration.h"
#include "editor/pages/program/ProgramMainPages.h"
#include "editor/shell/IModalBrowsers.h"
#include "editor/shell/RootMainPages.h"
#include "hfc/CHfcVstEditor.h"

namespace vesk::test {

bool RealPagesRoot::Open() {
  UIFormManager::Initialize();
  RegisterProgramMainPages();
  RegisterCombiGlobalMainPages();
  RegisterModalBrowsers();
  registered_ = true;
  root_ = std::make_unique<OskendBackgroundLayer>(&host_, h_.synth());
  root_->SetStepPauseEnabled(false);
  if (!root_->Create(&h_.window())) return false;
  root_->Show(false);
  h_.Idle();
  h_.Idle();
  return true;
}

void RealPagesRoot::Close() {
  if (root_) {
    if (root_->GetModalBrowsers()) root_->GetModalBrowsers()->CloseModalBrowser();
    h_.window().RemoveLayer(root_.get(), false);
    root_->Destroy();
    root_.reset();
  }
  if (!registered_) return;
  registered_ = false;
  IModalBrowsers::SetFactory({});
  SetMainPagesFactory(eMainStrip::kPerformance, nullptr);
  SetMainPagesFactory(eMainStrip::kProgram, nullptr);
  SetMainPagesFactory(eMainStrip::kGlobal, nullptr);
  UIFormManager::Uninitialize();
}

void RealPagesRoot::ToMode(eMode mode) {
  h_.synth()->PutMode(mode);
  h_.RunFor(600);
  h_.Idle();
  root_->RequestRedraw();
  h_.Idle();
}

}  // namespace vesk::test
