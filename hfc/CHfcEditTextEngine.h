#pragma once
// A single-line text editor without a window of its own: a growable
// character buffer with a cursor and a half-open selection [start, end),
// the editing keys, mouse selection, a blinking cursor and drawing in a
// fixed-cell or a proportional bitmap font. The control that owns it
// forwards keys, characters, mouse events and idle ticks and hears back
// through CHfcEditTextEngineListener.
#include <cstdint>

#include "hfc/CHfcEditTextEngineListener.h"
#include "hfc/HfcBmpFontInfo.h"
#include "hfc/HfcModifiers.h"

class CHfcBmp;
class CHfcDrawContext;
class CHfcMouse;

class CHfcEditTextEngine {
 public:
  // Key codes of the keyboard layer that the engine acts on.
  static constexpr int kKeyBackspace = 8;
  static constexpr int kKeyReturn = 13;
  static constexpr int kKeyEscape = 27;
  static constexpr int kKeyLeft = 28;
  static constexpr int kKeyRight = 29;
  static constexpr int kKeyUp = 30;
  static constexpr int kKeyDown = 31;
  static constexpr int kKeyDelete = 127;
  static constexpr int kModShift = kHfcModShift;
  static constexpr unsigned int kMinCapacity = 1024;
  // The blink runs over 500 units, 20 a tick; the cursor shows in the
  // upper half.
  static constexpr int kBlinkPeriod = 500;
  static constexpr int kBlinkStep = 20;
  static constexpr int kBlinkVisibleFrom = 250;

  // listener may be null (nothing is reported then); the capacity is at
  // least kMinCapacity bytes.
  CHfcEditTextEngine(CHfcEditTextEngineListener* listener, unsigned int size);
  virtual ~CHfcEditTextEngine();
  CHfcEditTextEngine(const CHfcEditTextEngine&) = delete;
  CHfcEditTextEngine& operator=(const CHfcEditTextEngine&) = delete;

  // Only characters in allowed are typed; null or empty accepts every
  // printable character.
  void SetInputFilter(const char* allowed);
  bool InputFilter(int c) const;

  // A typed character: control codes and filtered characters are ignored;
  // a selection is replaced.
  virtual void Input(int c);
  void KeyDown(int key, int modifiers);
  void OnReturn(int);
  void OnEsc(int);

  void SetText(const char* text);
  void SetCursorPosition(int position);
  // Refuses empty and out-of-range selections, so it never clears one.
  void SetSelection(int start, int end);
  void DeleteSelection();
  void InsertChar(int c);
  bool ExtendBuffer();

  // One blink tick; the argument is not used.
  void Idle(int);

  // charWidth and charHeight below 1 are taken from the font bitmap
  // (its width, its height / 128).
  void SetDrawParameters(CHfcBmp* font, unsigned int selectionColour, unsigned int cursorColour,
                         int charWidth, int charHeight, int visibleChars);
  // Draws the box at (x, y), at most width pixels wide; needs the font
  // bitmap even in proportional mode.
  void Draw(CHfcDrawContext* context, int x, int y, int width, int);

  // x is measured from the x given to Draw. All answer true.
  bool MouseLButtonDown(CHfcMouse* mouse, int x, int y, int modifiers);
  bool MouseMove(CHfcMouse* mouse, int x, int y, int modifiers);
  bool MouseLostCapture(CHfcMouse* mouse);
  int MousePositionToCursorPosition(int x) const;

  // Set by the owner.
  void SetProportional(bool proportional) { m_bProportional = proportional; }
  void SetProportionalFont(tagHfcBmpFontInfo* font) { m_pPropFont = font; }
  void SetTextColor(uint32_t colour) { m_uPropTextColor = colour; }
  void SetSelectionInset(bool inset) { m_bSelectionInset = inset; }
  // 0 left, 1 centre, 2 right; proportional mode only.
  void SetAlignment(int alignment) { m_iAlignment = alignment; }
  void SetSelectionColor(uint32_t colour) { m_uSelColor = colour; }

  const char* GetText() const { return m_pBuffer; }
  int GetLength() const;
  unsigned int GetCapacity() const { return m_uCapacity; }
  int GetCursorPosition() const { return m_iCursor; }
  int GetSelectionStart() const { return m_iSelStart; }
  int GetSelectionEnd() const { return m_iSelEnd; }
  bool HasSelection() const { return m_iSelEnd > m_iSelStart; }
  int GetBlinkPhase() const { return m_iBlink; }
  bool IsCursorShown() const { return m_iBlink >= kBlinkVisibleFrom; }
  bool IsProportional() const { return m_bProportional; }
  tagHfcBmpFontInfo* GetProportionalFont() const { return m_pPropFont; }
  uint32_t GetTextColor() const { return m_uPropTextColor; }
  int GetAlignment() const { return m_iAlignment; }
  int GetCharWidth() const { return m_iCharWidth; }
  int GetCharHeight() const { return m_iCharHeight; }
  uint32_t GetSelectionColor() const { return m_uSelColor; }
  uint32_t GetCursorColor() const { return m_uCursorColor; }

 private:
  void NotifyModified();
  void NotifyRedraw();
  void NotifySelection();
  void NotifyCursor();
  void ForwardDelete();
  void MoveLeft(bool shift);
  void MoveRight(bool shift);
  // Width of one character: its advance in proportional mode, else the
  // cell width. Codes above 127 measure as the placeholder glyph.
  int CharAdvance(char c) const;
  int TextWidthBefore(int index) const;

  CHfcEditTextEngineListener* m_pListener;
  char* m_pBuffer = nullptr;
  uint32_t m_uCapacity = 0;
  char* m_pFilter = nullptr;
  int32_t m_iCursor = 0;
  int32_t m_iSelStart = 0;
  int32_t m_iSelEnd = 0;
  int32_t m_iUnused1 = 0;
  int32_t m_iUnused2 = 0;
  int32_t m_iVisibleChars = 0;
  int32_t m_iBlink = 0;
  CHfcBmp* m_pFont = nullptr;
  int32_t m_iCharWidth = 0;
  int32_t m_iCharHeight = 0;
  uint32_t m_uSelColor = 0xFF3F3F7Fu;
  uint32_t m_uCursorColor = 0xFFFFFFFFu;
  uint32_t m_uPropTextColor = 0;
  int32_t m_iDragAnchor = -1;
  bool m_bProportional = false;
  tagHfcBmpFontInfo* m_pPropFont = nullptr;
  bool m_bSelectionInset = false;
  int32_t m_iAlignment = 0;
  int32_t m_iUnused3 = 0;
};
