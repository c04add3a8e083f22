#pragma once
// The common ground of the drawn stand-ins for the system's alerts,
// progress windows, menus and file dialogs: a window of our own, a picture
// drawn with the editor's bitmap fonts and plain shapes in the editor's
// colours, and the input of that window. Which window a form gets comes from
// a maker: X11 windows by default, headless ones in tests.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hfc/CHfcOffscreenContext.h"
#include "os/window/Window.h"

struct tagHfcBmpFontInfo;

class DrawnForm : public os::WindowSink {
 public:
  // The editor's look: a dark panel, light text, amber accents.
  static constexpr uint32_t kPanel = 0xFF26272Bu;
  static constexpr uint32_t kPanelLight = 0xFF34363Cu;
  static constexpr uint32_t kFrame = 0xFF5A5D66u;
  static constexpr uint32_t kText = 0xFFE6E6E6u;
  static constexpr uint32_t kTextDim = 0xFF80838Bu;
  static constexpr uint32_t kAmber = 0xFFF0A030u;
  static constexpr uint32_t kAmberDark = 0xFF8A5A14u;

  struct WindowPlacement {
    int x = 0, y = 0;  // screen point of the top-left corner
    int width = 0, height = 0;
    std::string title;
    bool popup = false;  // borderless, above everything (menus)
    bool focus = true;   // takes the keyboard focus once it can
  };
  using WindowMaker = std::function<std::unique_ptr<os::Window>(const WindowPlacement&)>;
  // Empty: back to X11 windows on $DISPLAY.
  static void SetWindowMaker(WindowMaker maker);

  // Starts the image cache and the fonts for as long as the form lives.
  DrawnForm();
  ~DrawnForm() override;
  DrawnForm(const DrawnForm&) = delete;
  DrawnForm& operator=(const DrawnForm&) = delete;

  // Makes (or remakes at the new size) the window; false when none can be
  // made, and then the form cannot be shown. From Open to Close the other
  // windows take no mouse or key input (os::Window::ModalInput), unless the
  // form is a popup (a popup's window joins the run of whoever opened it).
  bool Open(const WindowPlacement& placement);
  // Takes the window down and ends the form's modal run; again or without
  // an Open, nothing.
  void Close();
  os::Window* window() const { return mWindow.get(); }
  // Draws the whole picture anew and shows it.
  void Redraw();

  void OnWindowExpose(const os::WindowRect& area) override;

 protected:
  virtual void Paint() = 0;
  // A question (an alert) counts apart among the modal runs: one at a time.
  virtual bool IsQuestion() const { return false; }

  // Drawing helpers on the form's picture.
  void Fill(int x, int y, int w, int h, uint32_t colour);
  void Frame(int x, int y, int w, int h, uint32_t colour);
  // The text in a box of boxWidth from x: cut with "..." where it does not
  // fit (the layout checks hear it through the text probe).
  void Text(int x, int y, const std::string& text, tagHfcBmpFontInfo* font, uint32_t colour,
            int boxWidth = 10000);
  static int TextWidth(const std::string& text, tagHfcBmpFontInfo* font);
  // The text centred in a face from x, w wide, four columns kept clear on
  // each side.
  void CentredText(int x, int y, int w, const std::string& text, tagHfcBmpFontInfo* font, uint32_t colour);
  // A push button; the default one is drawn in amber.
  void Button(int x, int y, int w, int h, const std::string& label, bool isDefault, bool enabled,
              bool pressed = false);
  // Follows the left button over push buttons numbered from 1 by buttonAt
  // (0: none): returns the button released over the one it was pressed on,
  // else 0. PressedButton is the one held down, drawn pressed.
  int PressButtons(const os::MouseEvent& e, const std::function<int(int x, int y)>& buttonAt);
  int PressedButton() const { return mPressedButton; }
  // The text cut with "..." to fit maxWidth.
  static std::string Fit(const std::string& text, tagHfcBmpFontInfo* font, int maxWidth);
  tagHfcBmpFontInfo* PlainFont() const { return mPlain; }
  tagHfcBmpFontInfo* BoldFont() const { return mBold; }
  static int LineHeight(tagHfcBmpFontInfo* font);
  // Lines of at most maxWidth, broken between words (a word too long for a
  // line is cut); explicit line breaks are kept.
  static std::vector<std::string> Wrap(const std::string& text, tagHfcBmpFontInfo* font,
                                       int maxWidth);
  CHfcOffscreenContext* Context() const { return mContext.get(); }

  static bool Inside(int x, int y, int left, int top, int w, int h) {
    return x >= left && y >= top && x < left + w && y < top + h;
  }

 private:
  void CloseWindow();

  std::unique_ptr<os::Window::ModalInput> mModal;
  std::unique_ptr<os::Window> mWindow;
  std::unique_ptr<CHfcOffscreenContext> mContext;
  tagHfcBmpFontInfo* mPlain = nullptr;
  tagHfcBmpFontInfo* mBold = nullptr;
  bool mWantsFocus = false;
  int mPressedButton = 0;
};
