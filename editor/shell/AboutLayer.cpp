#include "editor/shell/AboutLayer.h"

#include "editor/controls/FontManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"

const char* const AboutLayer::kStrAboutImage = "Image_About";

AboutLayer::AboutLayer(const std::string& name, const std::string& version)
    : m_name(name), m_version(version) {
  if (ResourceManager* images = ResourceManager::GetInstance())
    m_pPicture = images->LoadImage(kStrAboutImage);
}

AboutLayer::~AboutLayer() {
  if (IsCreated()) Destroy();
}

int AboutLayer::PictureX() const {
  return m_pPicture ? (GetWidth() - m_pPicture->GetWidth()) / 2 : 0;
}

int AboutLayer::PictureY() const {
  return m_pPicture ? (GetHeight() - m_pPicture->GetHeight()) / 2 : 0;
}

bool AboutLayer::OnCreate() {
  const int pw = m_pPicture ? m_pPicture->GetWidth() : GetWidth();
  tagHfcBmpFontInfo* font = FontManager::mInstance
                                ? FontManager::mInstance->GetBmpFontInfo(FontManager::FontName_HelvB11)
                                : nullptr;
  // Placed on the picture, whose pixels it copies behind itself; made by the
  // factory, so enabled and drawn at full strength.
  XEControlCreater f(m_pPicture, PictureX(), PictureY());
  XEStaticText* text = f.CreateStaticText(pw - 218, 171, 210, 13, GetCaption(), font, kTextColor, 2, 0, -1);
  if (!text) return true;
  AddControl(text, false);
  text->Show(true);
  return true;
}

bool AboutLayer::OnDestroy() {
  RemoveAllControls(true);
  return true;
}

void AboutLayer::OnRefresh() {
  CHfcOffscreenContext* dc = GetOffscreen();
  if (!IsVisible() || !dc) return;
  DrawVeil(dc);
  if (m_pPicture)
    dc->CopyBmp(PictureX(), PictureY(), m_pPicture->GetWidth(), m_pPicture->GetHeight(), m_pPicture,
                0, 0);
  UpdateAllControls();
  CopyToWindow(false);
}

bool AboutLayer::OnHfcMouseLButtonDown(CHfcMouse*, int, int, int) {
  m_bDone = true;
  return true;
}
