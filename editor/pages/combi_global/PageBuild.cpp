#include "editor/pages/combi_global/PageBuild.h"

#include "editor/controls/ResourceManager.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"

namespace combipage {

CHfcBmp* Skin(const std::string& name) {
  ResourceManager* images = ResourceManager::GetInstance();
  return images ? images->LoadImage(name) : nullptr;
}

int SkinWidth(const std::string& name) {
  CHfcBmp* b = Skin(name);
  return b ? b->GetWidth() : 0;
}

int SkinHeight(const std::string& name) {
  CHfcBmp* b = Skin(name);
  return b ? b->GetHeight() : 0;
}

XEControlContainer* AddGroup(XESynthLayer* page, const std::string& skin, int x, int y, int w,
                             int h) {
  auto* g = new XEControlContainer;
  g->m_pOwner = page;
  g->m_pBackground = Skin(skin);
  g->m_iX = x;
  g->m_iY = y;
  g->m_iWidth = w > 0 ? w : SkinWidth(skin);
  g->m_iHeight = h > 0 ? h : SkinHeight(skin);
  page->AddContainer(g);
  return g;
}

CHfcControl* PutControl(XESynthLayer* page, XEControlContainer* group, CHfcControl* control) {
  if (!control) return nullptr;
  page->AddControl(control, false);
  control->SetListener(page);
  control->Show(true);
  if (group) group->AddControl(control);
  return control;
}

}  // namespace combipage
