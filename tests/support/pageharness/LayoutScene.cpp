#include "tests/support/pageharness/LayoutScene.h"

#include <algorithm>
#include <cstdio>
#include <vector>
#include <cstdlib>

#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XELayerBase.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"

namespace vesk::test {

std::string PictureName(const CHfcBmp* picture) {
  ResourceManager* images = ResourceManager::GetInstance();
  std::string name = images && picture ? images->NameOf(picture) : "";
  if (!name.empty() || !picture) return name;
  auto* bmp = const_cast<CHfcBmp*>(picture);
  return std::to_string(bmp->GetWidth()) + " x " + std::to_string(bmp->GetHeight()) + " picture";
}

tagHfcRect CopiedRect(const tagHfcPictureCopy& c) {
  auto* bmp = const_cast<CHfcBmp*>(c.picture);
  int dx = c.dx;
  int dy = c.dy;
  int w = std::min(c.w, bmp->GetWidth() - c.sx);
  int h = std::min(c.h, bmp->GetHeight() - c.sy);
  // A source starting left of or above the picture moves the landing place.
  if (c.sx < 0) {
    dx -= c.sx;
    w += c.sx;
  }
  if (c.sy < 0) {
    dy -= c.sy;
    h += c.sy;
  }
  if (w <= 0 || h <= 0) return {dx, dy, dx, dy};
  return {dx, dy, dx + w, dy + h};
}

tagHfcRect OpaqueRect(const tagHfcPictureCopy& c) {
  const tagHfcRect r = CopiedRect(c);
  auto* bmp = const_cast<CHfcBmp*>(c.picture);
  const int sx = std::max(c.sx, 0);
  const int sy = std::max(c.sy, 0);
  tagHfcRect ink{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (bmp->GetPixel(sx + x - r.left, sy + y - r.top) >> 24) {
        ink.left = std::min(ink.left, x);
        ink.top = std::min(ink.top, y);
        ink.right = std::max(ink.right, x + 1);
        ink.bottom = std::max(ink.bottom, y + 1);
      }
  return ink.right > ink.left ? ink : tagHfcRect{r.left, r.top, r.left, r.top};
}

DrawRecorder::DrawRecorder() {
  HfcSetPictureProbe(this);
  HfcSetTextProbe(this);
}

void DrawRecorder::OnPictureCopy(const tagHfcPictureCopy& copy) {
  ResourceManager* images = ResourceManager::GetInstance();
  if (images && !images->NameOf(copy.picture).empty()) copies.push_back(copy);
}

DrawRecorder::~DrawRecorder() {
  HfcSetPictureProbe(nullptr);
  HfcSetTextProbe(nullptr);
}

namespace {

// The decoration's pixels over a rectangle, before something is drawn on it.
std::vector<uint32_t> Pixels(CHfcBmp& bmp, const tagHfcRect& r) {
  std::vector<uint32_t> out;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) out.push_back(bmp.GetPixel(x, y));
  return out;
}

// A panel shows as one: it changes at least half of its rectangle (a
// routing drawing of lines, or a plate the colour of the page, does not).
bool Shows(CHfcBmp& bmp, const tagHfcRect& r, const std::vector<uint32_t>& before) {
  size_t changed = 0;
  size_t i = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x, ++i) {
      const uint32_t a = bmp.GetPixel(x, y);
      for (int shift = 0; shift <= 16; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((before[i] >> shift) & 0xFF)) > 6) {
          ++changed;
          break;
        }
    }
  return !before.empty() && 2 * changed >= before.size();
}

tagHfcRect InPicture(const tagHfcRect& r, CHfcBmp& bmp) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, bmp.GetWidth()), std::min(r.bottom, bmp.GetHeight())};
}

std::string RectName(const std::string& what, const tagHfcRect& r) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " (%d, %d %dx%d)", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return what + buf;
}

}  // namespace

LayoutScene::LayoutScene(CHfcWindowLayer& layer)
    : decoration_(std::make_unique<CHfcOffscreenContext>(layer.GetWidth(), layer.GetHeight())),
      scratch_(std::make_unique<CHfcOffscreenContext>(layer.GetWidth(), layer.GetHeight())) {
  if (auto* base = dynamic_cast<XELayerBase*>(&layer)) {
    base->OnDrawBackground(decoration_.get());
    surfaces_.insert(base->GetBackgroundBmp());
  }
  DrawContainers(layer);
  DrawPagePictures(layer);
  DrawPictureControls(layer);
  scratch_->CopyBmp(0, 0, layer.GetWidth(), layer.GetHeight(), decoration_->GetBmp(), 0, 0);
  DropCoveredPanels();
}

// A panel that one drawn after it covers whole is out of sight.
void LayoutScene::DropCoveredPanels() {
  for (size_t i = 0; i < panels_.size();) {
    bool covered = false;
    for (size_t j = i + 1; j < panels_.size() && !covered; ++j) {
      const tagHfcRect& a = panels_[i].rect;
      const tagHfcRect& b = panels_[j].rect;
      covered = a.left >= b.left && a.top >= b.top && a.right <= b.right && a.bottom <= b.bottom;
    }
    if (covered)
      panels_.erase(panels_.begin() + static_cast<long>(i));
    else
      ++i;
  }
}

LayoutScene::~LayoutScene() = default;

void LayoutScene::DrawContainers(CHfcWindowLayer& layer) {
  auto* page = dynamic_cast<XESynthLayer*>(&layer);
  for (int i = 0; page && i < page->GetContainerCount(); ++i) {
    const XEControlContainer* c = page->GetContainerByIndex(i);
    if (!c || !c->m_bVisible) continue;
    tagHfcRect drawn{c->m_iX, c->m_iY, c->m_iX + c->m_iWidth, c->m_iY + c->m_iHeight};
    std::string name = "container";
    const tagHfcRect area = InPicture(drawn, *decoration_->GetBmp());
    const std::vector<uint32_t> before = Pixels(*decoration_->GetBmp(), area);
    if (c->m_pBackground) {
      DrawRecorder heard;
      decoration_->CopyBmp(c->m_iX, c->m_iY, c->m_iWidth, c->m_iHeight, c->m_pBackground, 0, 0);
      drawn = OpaqueRect(heard.copies.front());
      surfaces_.insert(c->m_pBackground);
      name = PictureName(c->m_pBackground);
    } else if (c->m_uFillColor != 0) {
      decoration_->SetBrushColor(c->m_uFillColor);
      decoration_->FillRect(c->m_iX, c->m_iY, c->m_iWidth, c->m_iHeight);
    } else {
      continue;
    }
    if (!Shows(*decoration_->GetBmp(), area, before)) continue;
    panels_.push_back({RectName("panel '" + name + "'", drawn), drawn, c});
  }
}

void LayoutScene::DrawPagePictures(CHfcWindowLayer& layer) {
  auto* base = dynamic_cast<XELayerBase*>(&layer);
  if (!base) return;
  DrawRecorder heard;
  base->OnPostDrawBackground(decoration_.get());
  for (const tagHfcPictureCopy& c : heard.copies) {
    const tagHfcRect rect = CopiedRect(c);
    if (rect.right <= rect.left) continue;
    surfaces_.insert(c.picture);
    pictures_.push_back(
        {RectName("picture '" + PictureName(c.picture) + "' that the page draws", rect), rect, OpaqueRect(c), c});
  }
}

void LayoutScene::DrawPictureControls(CHfcWindowLayer& layer) {
  for (CHfcControl* c : layer.GetControls()) {
    if (!c || !c->IsVisible() || !dynamic_cast<XEStaticBmp*>(c)) continue;
    const tagHfcRect area = InPicture(c->GetFrame(), *decoration_->GetBmp());
    const std::vector<uint32_t> before = Pixels(*decoration_->GetBmp(), area);
    DrawRecorder heard;
    c->Draw(decoration_.get());
    const bool shows = Shows(*decoration_->GetBmp(), area, before);
    for (const tagHfcPictureCopy& copy : heard.copies) {
      const tagHfcRect rect = OpaqueRect(copy);
      if (rect.right <= rect.left) continue;
      surfaces_.insert(copy.picture);
      if (shows) panels_.push_back({RectName("panel '" + PictureName(copy.picture) + "'", rect), rect, nullptr});
    }
  }
}

CHfcBmp& LayoutScene::Decoration() { return *decoration_->GetBmp(); }
CHfcBmp& LayoutScene::Scratch() { return *scratch_->GetBmp(); }

tagHfcRect LayoutScene::PaintedRect(CHfcControl& control) {
  const tagHfcRect& f = control.GetFrame();
  const tagHfcRect& focus = control.GetFocusRect();
  if (control.GetFocusMergin() <= 0 || focus.right <= focus.left) return f;
  return {std::min(f.left, focus.left), std::min(f.top, focus.top), std::max(f.right, focus.right),
          std::max(f.bottom, focus.bottom)};
}

LayoutScene::Drawn LayoutScene::DrawControl(CHfcControl& control) {
  const tagHfcRect f = PaintedRect(control);
  scratch_->ClearRect(f.left, f.top, f.right - f.left, f.bottom - f.top);
  scratch_->CopyBmp(f.left, f.top, f.right - f.left, f.bottom - f.top, decoration_->GetBmp(), f.left, f.top);
  DrawRecorder heard;
  control.Draw(scratch_.get());
  Drawn d;
  d.texts = std::move(heard.texts);
  // The restoring copy above was made before the recorder listened.
  d.copies = std::move(heard.copies);
  return d;
}

}  // namespace vesk::test

namespace vesk::test {

LayoutScene::Ink LayoutScene::InkOf(CHfcControl& control) {
  const tagHfcRect f = PaintedRect(control);
  CHfcBmp& out = Scratch();
  CHfcBmp& under = Decoration();
  const tagHfcRect area{std::max(f.left, 0), std::max(f.top, 0), std::min(f.right, out.GetWidth()),
                        std::min(f.bottom, out.GetHeight())};
  Ink ink;
  if (area.right <= area.left || area.bottom <= area.top) {
    ink.box = ink.spillBox = {f.left, f.top, f.left, f.top};
    return ink;
  }
  // Drawn once over a plain colour that no picture uses: a pixel that comes
  // out the same over both grounds is one the control sets.
  constexpr uint32_t kProbeGround = 0xFF01FE02u;
  scratch_->SetBrushColor(kProbeGround);
  scratch_->FillRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
  control.Draw(scratch_.get());
  const std::vector<uint32_t> overProbe = Pixels(out, area);
  DrawControl(control);
  auto differs = [&](int x, int y) {
    const uint32_t a = out.GetPixel(x, y);
    const uint32_t b = under.GetPixel(x, y);
    for (int shift = 0; shift <= 24; shift += 8)
      if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8) return true;
    return false;
  };
  const int width = area.right - area.left;
  const tagHfcRect& frame = control.GetFrame();
  auto spills = [&](int x, int y) {
    const bool inFrame = x >= frame.left && y >= frame.top && x < frame.right && y < frame.bottom;
    return !inFrame && out.GetPixel(x, y) == overProbe[static_cast<size_t>((y - area.top) * width + x - area.left)];
  };
  auto mask = [&](const auto& at, tagHfcRect* box, std::vector<bool>* bits) {
    tagHfcRect b{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (at(x, y)) b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1), std::max(b.bottom, y + 1)};
    if (b.right <= b.left) {
      *box = {f.left, f.top, f.left, f.top};
      return;
    }
    *box = b;
    for (int y = b.top; y < b.bottom; ++y)
      for (int x = b.left; x < b.right; ++x) bits->push_back(at(x, y));
  };
  mask(differs, &ink.box, &ink.mask);
  mask(spills, &ink.spillBox, &ink.spillMask);
  return ink;
}

LayoutScene::Ink LayoutScene::InkOf(const PagePicture& picture) {
  Ink ink;
  ink.box = picture.ink;
  auto* bmp = const_cast<CHfcBmp*>(picture.copy.picture);
  const tagHfcRect landed = CopiedRect(picture.copy);
  const int sx = std::max(picture.copy.sx, 0) - landed.left;
  const int sy = std::max(picture.copy.sy, 0) - landed.top;
  for (int y = ink.box.top; y < ink.box.bottom; ++y)
    for (int x = ink.box.left; x < ink.box.right; ++x) ink.mask.push_back((bmp->GetPixel(sx + x, sy + y) >> 24) != 0);
  return ink;
}

}  // namespace vesk::test
