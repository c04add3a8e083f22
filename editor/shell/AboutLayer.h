#pragma once
// The About box: a centred picture with the product name and version,
// closed by any click.
#include <string>

#include "editor/shell/ModalLayer.h"

class CHfcBmp;

class AboutLayer : public ModalLayer {
 public:
  static const char* const kStrAboutImage;
  static constexpr uint32_t kTextColor = 0xFF808080u;

  AboutLayer(const std::string& name, const std::string& version);
  ~AboutLayer() override;

  bool OnCreate() override;
  bool OnDestroy() override;
  void OnRefresh() override;
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;

  // The line drawn on the picture.
  std::string GetCaption() const { return m_name + " Ver. " + m_version; }

 private:
  // Top-left corner of the centred picture.
  int PictureX() const;
  int PictureY() const;

  CHfcBmp* m_pPicture = nullptr;
  std::string m_name;
  std::string m_version;
};
