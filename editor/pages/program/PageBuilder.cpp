#include "editor/pages/program/PageBuilder.h"

#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"

CHfcBmp* PageBuilder::Skin(const std::string& name) {
  ResourceManager* images = ResourceManager::GetInstance();
  return images ? images->LoadImage(name) : nullptr;
}

int PageBuilder::SkinWidth(const std::string& name) {
  CHfcBmp* b = Skin(name);
  return b ? b->GetWidth() : 0;
}

int PageBuilder::SkinHeight(const std::string& name) {
  CHfcBmp* b = Skin(name);
  return b ? b->GetHeight() : 0;
}

XEControlContainer* PageBuilder::Box(const std::string& skin, int x, int y, int w, int h) {
  auto* box = new XEControlContainer;
  box->m_pOwner = m_pPage;
  box->m_pBackground = Skin(skin);
  box->m_iX = x;
  box->m_iY = y;
  box->m_iWidth = w >= 0 ? w : SkinWidth(skin);
  box->m_iHeight = h >= 0 ? h : SkinHeight(skin);
  m_pPage->AddContainer(box);
  m_pBox = box;
  // Controls copy their backdrop from the panel's picture at their own
  // place; without one they take the page's.
  m_creater = XEControlCreater(box->m_pBackground ? box->m_pBackground : m_pPage->GetBackgroundBmp(),
                               x, y);
  return box;
}

CHfcControl* PageBuilder::PutControl(CHfcControl* control, int pid, bool listen) {
  if (!control) return nullptr;
  if (!m_pPage->AddControl(control, false)) {
    control->Destroy();
    delete control;
    return nullptr;
  }
  if (listen) control->SetListener(m_pPage);
  if (m_pBox) m_pBox->AddControl(control);
  control->Show(false);
  if (pid >= 0) {
    m_pPage->LinkControlWithParam(control, m_eMode, pid);
    m_pPage->SynchronizeControlWithParam(control, true);
  }
  return control;
}

CHfcControl* PageBuilder::Label(int x, int y, const std::string& text, int w, int h, int style, int id,
                                int hAlign) {
  return PutControl(m_creater.CreateLabel(x, y, text, w, h, style, hAlign, 1, id), -1, false);
}
