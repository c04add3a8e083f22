#include "editor/shell/AboutLayer.h"

#include "editor/controls/FontManager.h"
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
  if (!font) return true;
  const std::string caption = GetCaption();
  SXEStaticText p{};
  p.x = PictureX() + pw - 218;
  p.y = PictureY() + 171;
  p.width = 210;
  p.height = 13;
  p.back = m_pPicture;
  p.backX = pw - 218;
  p.backY = 171;
  p.font = font;
  p.text = caption.c_str();
  p.color = kTextColor;
  p.hAlign = 2;
  p.vAlign = 0;
  auto* text = new XEStaticText;
  if (!text->Create(&p, -1, 0)) {
    delete text;
    return true;
  }
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
