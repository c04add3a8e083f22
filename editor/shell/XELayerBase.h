#pragma once
// The base of every layer of the editor (root layer, pages, browsers, modal
// layers): a window layer that listens to its own controls, finds them by
// id, serves a whole-layer redraw on the next idle tick and draws the
// standard background.
#include <atomic>
#include <cstdint>
#include <map>
#include <vector>

#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcWindowLayer.h"
#include "platform/CHfcCriticalSection.h"

class CHfcBmp;
class CHfcControl;
class CHfcOffscreenContext;

class XELayerBase : public CHfcWindowLayer, public CHfcControlListener {
 public:
  // Colour of a layer without a background picture.
  static constexpr uint32_t kFillColor = 0x80FFFFFFu;

  XELayerBase() = default;
  ~XELayerBase() override = default;

  // A control key: the id in the high word, the group (sign-extended) in
  // the low word.
  static int64_t MakeControlKey(int id, int group) {
    return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(id)) << 32) |
                                static_cast<uint64_t>(static_cast<int64_t>(group)));
  }
  static int64_t ControlKey(const CHfcControl* control);
  // Enables or disables the control with a redraw; nothing for null.
  static void EnableControl(CHfcControl* control, bool on);
  // Shows or hides the control with a redraw; nothing for null.
  static void ShowControl(CHfcControl* control, bool on);

  // Registers the control under its key (id -1 is never registered); a
  // pointer already in the layer is refused.
  bool AddControl(CHfcControl* control, bool redraw) override;
  bool RemoveControl(CHfcControl* control, bool redraw) override;
  void RemoveAllControls() override { RemoveAllControls(false); }
  // With destroy, every control is also destroyed and deleted.
  void RemoveAllControls(bool destroy);
  virtual CHfcControl* GetControlById(int id, int group = 0);
  void GetControlVec(std::vector<CHfcControl*>& out) const;

  // Called by the editor window on every tick of a visible layer.
  virtual void Idle(unsigned long elapsed);
  virtual void OnIdle(unsigned long elapsed) {}
  virtual void OnRefresh();
  virtual void OnDrawBackground(CHfcOffscreenContext* context);
  virtual void OnPostDrawBackground(CHfcOffscreenContext* context) {}

  bool OnDestroy() override { return true; }
  // A click on the empty background ends text entry.
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  void Enable(bool) {}
  void Disable(bool) {}

  void SetBackgroundBmp(CHfcBmp* bmp) { m_pBackground = bmp; }
  CHfcBmp* GetBackgroundBmp() const { return m_pBackground; }
  // Any thread may ask; the GUI thread's idle serves the request.
  void RequestRedraw() { m_bRedraw = true; }
  bool IsRedrawRequested() const { return m_bRedraw; }

 protected:
  // Clears the layer and draws the picture, or the fill without one.
  void DrawStandardBackground(CHfcOffscreenContext* context);
  // Update(true, false) on every control, in the order they were added.
  void UpdateAllControls();

  CHfcBmp* m_pBackground = nullptr;
  std::atomic<bool> m_bRedraw{false};

 private:
  std::map<int64_t, CHfcControl*> m_registry;
  CHfcCriticalSection m_registryLock;
};
