#include "editor/controls/UIFormManager.h"

#include <cstring>

#include "hfc/HfcCountedInstance.h"

UIFormManager* UIFormManager::mInstance = nullptr;
int UIFormManager::mRefCounter = 0;

namespace {

bool IsLayer(const UI_FORMINFO& form) {
  return form.className != nullptr && std::strcmp(form.className, "Layer") == 0;
}

}  // namespace

bool UIFormManager::Initialize() {
  return HfcCountedStart(mInstance, mRefCounter, [] { return new UIFormManager; });
}

void UIFormManager::Uninitialize() { HfcCountedStop(mInstance, mRefCounter); }

int UIFormManager::GetLayerFormInfoCount() const { return g_uiFormInfoBlock.count; }

const UI_FORMINFO* UIFormManager::GetLayerFormInfoByIndex(int index) const {
  if (index < 0 || index >= g_uiFormInfoBlock.count) return nullptr;
  const UI_FORMINFO& form = g_uiFormInfoBlock.forms[index];
  return IsLayer(form) ? &form : nullptr;
}

const UI_FORMINFO* UIFormManager::GetLayerFormInfoById(int id) const {
  for (int i = 0; i < g_uiFormInfoBlock.count; ++i) {
    const UI_FORMINFO& form = g_uiFormInfoBlock.forms[i];
    if (form.id == id && IsLayer(form)) return &form;
  }
  return nullptr;
}
