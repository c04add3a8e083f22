#pragma once
// One layer of the editor taken apart for the layout checks: what lies
// under its controls (its background, the panels it draws with its
// containers and its picture controls, the pictures the page draws
// itself), and each control drawn alone over that, with the texts and
// pictures it drew.
//
//   LayoutScene scene(layer);
//   for (const LayoutScene::Panel& p : scene.Panels()) ...
//   LayoutScene::Drawn d = scene.DrawControl(*control);   // d.texts, d.copies
//   scene.Scratch().GetPixel(x, y);                        // as it came out
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hfc/HfcPictureProbe.h"
#include "hfc/HfcTextFit.h"
#include "platform/HfcTypes.h"

class CHfcBmp;
class CHfcControl;
class CHfcOffscreenContext;
class CHfcWindowLayer;
class XEControlContainer;

namespace vesk::test {

class LayoutScene {
 public:
  explicit LayoutScene(CHfcWindowLayer& layer);
  ~LayoutScene();
  LayoutScene(const LayoutScene&) = delete;
  LayoutScene& operator=(const LayoutScene&) = delete;

  // A framed area drawn under controls: a container of the page (which
  // also lists the controls it holds) or a picture control, as far as its
  // picture reaches and is not transparent.
  struct Panel {
    std::string name;
    tagHfcRect rect;
    const XEControlContainer* holder = nullptr;
  };
  // A picture the page draws itself between its panels and its controls:
  // where it lands and the part of it that is not transparent.
  struct PagePicture {
    std::string name;
    tagHfcRect rect;
    tagHfcRect ink;
    tagHfcPictureCopy copy;
  };
  struct Drawn {
    std::vector<tagHfcBoxedText> texts;
    std::vector<tagHfcPictureCopy> copies;
  };

  const std::vector<Panel>& Panels() const { return panels_; }
  const std::vector<PagePicture>& PagePictures() const { return pictures_; }
  // Pictures that lie under controls on this layer (its background, its
  // panels, its own pictures): what a control copies as its backdrop.
  bool IsSurface(const CHfcBmp* picture) const { return surfaces_.count(picture) != 0; }
  // The layer without its controls, picture controls aside.
  CHfcBmp& Decoration();
  // The control drawn alone over the decoration (what it paints restored
  // first).
  Drawn DrawControl(CHfcControl& control);
  // Where a control paints when it draws: its frame and the margin it keeps
  // for its focus ring, which it repaints with its frame.
  static tagHfcRect PaintedRect(CHfcControl& control);
  CHfcBmp& Scratch();
  // What the control paints, drawn alone: the pixels where it differs from
  // the decoration (a label its text, a knob its ring; a backdrop that
  // matches what lies under it is no ink) and their bounding box; and the
  // pixels past its frame (in its focus margin) that it sets whatever lies
  // there, which wipe out another control's ink each time it is drawn.
  struct Ink {
    tagHfcRect box{0, 0, 0, 0};
    std::vector<bool> mask;  // box-sized, row by row
    tagHfcRect spillBox{0, 0, 0, 0};
    std::vector<bool> spillMask;  // spillBox-sized, row by row
    bool At(int x, int y) const { return In(box, mask, x, y); }
    bool Spills(int x, int y) const { return In(spillBox, spillMask, x, y); }

   private:
    static bool In(const tagHfcRect& r, const std::vector<bool>& m, int x, int y) {
      return x >= r.left && y >= r.top && x < r.right && y < r.bottom &&
             m[static_cast<size_t>((y - r.top) * (r.right - r.left) + x - r.left)];
    }
  };
  Ink InkOf(CHfcControl& control);
  // The opaque pixels of a picture the page draws.
  static Ink InkOf(const PagePicture& picture);

 private:
  void DrawContainers(CHfcWindowLayer& layer);
  void DrawPagePictures(CHfcWindowLayer& layer);
  void DrawPictureControls(CHfcWindowLayer& layer);
  void DropCoveredPanels();

  std::unique_ptr<CHfcOffscreenContext> decoration_;
  std::unique_ptr<CHfcOffscreenContext> scratch_;
  std::vector<Panel> panels_;
  std::vector<PagePicture> pictures_;
  std::set<const CHfcBmp*> surfaces_;
};

// The skin name of a picture, or its size when the skin cache does not
// hold it ("112 x 13 picture").
std::string PictureName(const CHfcBmp* picture);
// The part of a copy that lands, cut to its picture as the contexts cut
// it; empty when nothing lands.
tagHfcRect CopiedRect(const tagHfcPictureCopy& copy);
// The part of the copied rectangle whose source pixels are not fully
// transparent.
tagHfcRect OpaqueRect(const tagHfcPictureCopy& copy);

// Every copy of a skin picture and every boxed text while it lives
// (pictures a control makes and drops while it draws are not kept).
class DrawRecorder : public IHfcPictureProbe, public IHfcTextProbe {
 public:
  DrawRecorder();
  ~DrawRecorder() override;
  DrawRecorder(const DrawRecorder&) = delete;
  DrawRecorder& operator=(const DrawRecorder&) = delete;
  void OnPictureCopy(const tagHfcPictureCopy& copy) override;
  void OnBoxedText(const tagHfcBoxedText& text) override { texts.push_back(text); }
  std::vector<tagHfcPictureCopy> copies;
  std::vector<tagHfcBoxedText> texts;
};

}  // namespace vesk::test
