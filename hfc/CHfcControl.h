#pragma once
// The base of every widget: a rectangle inside one window layer that draws
// itself into the layer's picture, receives mouse, key-focus and drag events
// from the layer, and reports what the user does to its one listener.
#include <cstdint>

#include "hfc/CHfcControlListener.h"
#include "hfc/CHfcDragListener.h"
#include "hfc/CHfcKeyFocusListener.h"
#include "hfc/CHfcKeyListener.h"
#include "hfc/CHfcMouseListener.h"
#include "platform/HfcTypes.h"

class CHfcBmp;
class CHfcDrawContext;
class CHfcWindowLayer;

class CHfcControl : public CHfcMouseListener,
                    public CHfcKeyListener,
                    public CHfcKeyFocusListener,
                    public CHfcDragListener {
 public:
  // Knob mode shared by every knob; the plug-in editor stores the host's.
  static int sm_iGlobalKnobMode;

  CHfcControl() = default;
  ~CHfcControl() override;
  CHfcControl(const CHfcControl&) = delete;
  CHfcControl& operator=(const CHfcControl&) = delete;

  // The global forms a control answers itself; the others keep the
  // defaults.
  using CHfcMouseListener::OnHfcMouseLButtonDoubleClickGlobal;
  using CHfcMouseListener::OnHfcMouseLButtonDownGlobal;
  using CHfcMouseListener::OnHfcMouseLButtonUpGlobal;
  using CHfcMouseListener::OnHfcMouseMoveGlobal;
  bool OnHfcMouseLButtonDownGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClickGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUpGlobal(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMoveGlobal(CHfcMouse* m, int x, int y, int mods) override;

  virtual void Initialize() {}
  virtual void Destroy();
  virtual bool Move(int x, int y, bool update);
  virtual bool Resize(int width, int height, bool update);
  virtual void Draw(CHfcDrawContext* context);
  virtual void DrawFocus(CHfcDrawContext* context);
  virtual void Erase(CHfcDrawContext*) {}
  virtual void Update(bool force, bool flush);
  virtual void Idle(int elapsed) { OnIdle(elapsed); }
  virtual void OnIdle(int) { Update(false, false); }
  virtual void SetBackBmp(CHfcBmp*, bool) {}
  virtual void Show(bool markDirty);
  virtual void Hide(bool markDirty);

  // Key focus of the window.
  using CHfcKeyListener::OnHfcKeyDown;
  using CHfcKeyListener::OnHfcKeyLostFocus;
  using CHfcKeyListener::OnHfcKeyUp;
  using CHfcKeyListener::OnHfcKeyChar;
  void OnHfcKeySetFocus(CHfcKeyFocus* focus) override;
  void OnHfcKeyLostFocus(CHfcKeyFocus* focus) override;
  bool OnHfcKeyDown(CHfcKeyFocus* focus, int chr, int key, int mods) override;
  bool OnHfcKeyRepeat(CHfcKeyFocus* focus, int chr, int key, int mods) override;
  bool OnHfcKeyUp(CHfcKeyFocus* focus, int chr, int key, int mods) override;
  bool OnHfcKeyChar(CHfcKeyFocus* focus, int chr) override;
  bool OnHfcKeyIsPointInside(CHfcKeyFocus* focus, int x, int y) override;

  // The base setters store only: no clamping, no redraw, no report.
  virtual float GetFloatValue() { return m_fValue; }
  virtual void SetFloatValue(float v, bool) { m_fValue = v; }
  virtual float GetMinFloatValue() { return m_fMin; }
  virtual void SetMinFloatValue(float v) { m_fMin = v; }
  virtual float GetMaxFloatValue() { return m_fMax; }
  virtual void SetMaxFloatValue(float v) { m_fMax = v; }
  virtual int GetIntValue() { return m_iValue; }
  virtual void SetIntValue(int v, bool) { m_iValue = v; }
  virtual int GetMinIntValue() { return m_iMin; }
  virtual void SetMinIntValue(int v, bool) { m_iMin = v; }
  virtual int GetMaxIntValue() { return m_iMax; }
  virtual void SetMaxIntValue(int v, bool) { m_iMax = v; }
  virtual void* GetPtrValue() { return nullptr; }
  virtual void SetPtrValue(void*, bool) {}
  virtual bool GetParameter(int, void**) { return false; }
  virtual void SetParameter(int, int, void*, bool) {}
  virtual void OnRemoveFromParent(CHfcWindowLayer*) { m_pParentLayer = nullptr; }

  virtual void OnShown() {}
  virtual void OnHidden() {}
  virtual void OnEnabled() {}
  virtual void OnDisabled() {}
  virtual void OnFocused() {}
  virtual void OnLostFocus() {}
  virtual void OnKeySetFocus() {}
  virtual void OnKeyLostFocus() {}
  virtual bool OnKeyDown(int chr, int key, int mods) { return false; }
  virtual bool OnKeyRepeat(int chr, int key, int mods) { return false; }
  virtual bool OnKeyUp(int chr, int key, int mods) { return false; }
  virtual bool OnKeyChar(int chr) { return false; }

  // Frame and focus rectangle = (x, y, x + width, y + height). A 0 x 0
  // control is allowed (hidden stand-ins); a negative size is refused.
  bool Create(int x, int y, int width, int height, int id);
  void Enable(bool markDirty);
  void Disable(bool markDirty);
  void SetBackColor(unsigned int colour, bool markDirty);

  void SetFocus(int index);
  void ReleaseFocus();
  void ReleaseFocus(CHfcKeyFocusListener* listener);
  bool IsFocused();
  void SetFocusMergin(int margin);
  bool SetKeyFocus();
  void ReleaseKeyFocus();

  bool SetMouseCapture();
  void ReleaseMouseCapture();
  bool HoldsMouseCapture() const;
  void SetMouseCursorForMouseDown();
  void UpdateMouseDownCounter(int elapsed);

  bool GlobalToLocal(tagHfcPoint* point);
  bool LocalToGlobal(tagHfcPoint* point);
  int ClipIntValueRange(int v);
  float ClipFloatValueRange(float v);
  // Drag acceleration: 1.0 for calls under 101 ms apart, else 50 / the gap
  // (the gap counted up to 1600 ms).
  float GetMouseDeltaRatio();
  float GetMouseDelta(int delta, int mods);

  // State.
  const tagHfcRect& GetFrame() const { return m_rcFrame; }
  const tagHfcRect& GetFocusRect() const { return m_rcFocus; }
  int GetWidth() const { return m_rcFrame.right - m_rcFrame.left; }
  int GetHeight() const { return m_rcFrame.bottom - m_rcFrame.top; }
  int GetId() const { return m_iId; }
  int GetGroupId() const { return m_iGroupId; }
  void SetGroupId(int id) { m_iGroupId = id; }
  CHfcControlListener* GetListener() const { return m_pListener; }
  void SetListener(CHfcControlListener* listener) { m_pListener = listener; }
  CHfcWindowLayer* GetParentLayer() const { return m_pParentLayer; }
  void SetParentLayer(CHfcWindowLayer* layer) { m_pParentLayer = layer; }
  bool IsCreated() const { return m_bCreated; }
  bool IsVisible() const { return m_bVisible; }
  bool IsEnabled() const { return m_bEnabled; }
  bool IsDirty() const { return m_bDirty; }
  void SetDirty(bool dirty) { m_bDirty = dirty; }
  bool IsErasePending() const { return m_bErasePending; }
  bool IsDragInside() const { return m_bDragInside; }
  void SetDragInside(bool inside) { m_bDragInside = inside; }
  int GetFocusIndex() const { return m_iFocusIndex; }
  int GetFocusMergin() const { return m_iFocusMargin; }
  uint32_t GetFocusColor() const { return m_uFocusColor; }
  void SetFocusColor(uint32_t colour) { m_uFocusColor = colour; }
  void SetFocusGlowOpenAtBottom(bool open) { m_bFocusGlowOpenAtBottom = open; }
  float GetDisabledAlpha() const { return m_fDisabledAlpha; }
  void SetDisabledAlpha(float alpha) { m_fDisabledAlpha = alpha; }
  void SetPressCursorId(int id) { m_iPressCursorId = id; }
  int GetPressTime() const { return m_iPressTime; }
  void SetPressTime(int ms) { m_iPressTime = ms; }

 protected:
  tagHfcRect m_rcFrame{0, 0, 0, 0};
  tagHfcRect m_rcFocus{0, 0, 0, 0};
  int32_t m_iId = 0;
  int32_t m_iGroupId = 0;
  CHfcControlListener* m_pListener = nullptr;
  CHfcWindowLayer* m_pParentLayer = nullptr;
  float m_fValue = 0.0f;
  float m_fMin = 0.0f;
  float m_fMax = 1.0f;
  int32_t m_iValue = 0;
  int32_t m_iMin = 0;
  int32_t m_iMax = 1;
  bool m_bCreated = false;
  bool m_bVisible = false;
  bool m_bEnabled = false;
  bool m_bFocusOnClick = false;
  bool m_bDirty = true;
  bool m_bErasePending = false;
  int32_t m_iPressTime = 0;
  uint32_t m_uBackColor = 0;
  int32_t m_iPressCursorId = -1;
  bool m_bDragInside = false;
  uint32_t m_uFocusColor = 0xFFBDFF00u;
  int32_t m_iFocusIndex = -1;
  float m_fDisabledAlpha = 0.5f;
  uint32_t m_uLastRatioTime = 0;
  int32_t m_iFocusMargin = 0;
  bool m_bFocusGlowOpenAtBottom = false;

  // The listener's begin- and end-edit notices around one user edit: a
  // drag begins at the press and ends once, when the control lets the
  // mouse go or loses it; a typed value is an edit of its own.
  void BeginEditGesture();
  void EndEditGesture();
  void ReportTypedText(char* text);

 private:
  bool m_bEditGesture = false;
  void SetFrame(int left, int top, int width, int height);
  tagHfcPoint ToLocal(int x, int y);
};
