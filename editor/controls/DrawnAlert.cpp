#include "editor/controls/DrawnAlert.h"

#include <algorithm>

#include "hfc/HfcBmpFontInfo.h"
#include "os/MainLoop.h"

namespace {

constexpr int kIconSize = 32;
constexpr int kTextLeft = DrawnAlert::kMargin + kIconSize + 16;
constexpr int kTextWidth = 300;
constexpr uint32_t kStopRed = 0xFFD04A3Cu;

}  // namespace

int DrawnAlert::Run(const Request& request) {
  mRequest = request;
  if (mRequest.buttons.empty()) mRequest.buttons.push_back(kOkText);
  if (mRequest.buttons.size() > 3) mRequest.buttons.resize(3);
  os::MainLoop* loop = os::MainLoop::Current();
  Layout();
  WindowPlacement placement;
  placement.x = 200;
  placement.y = 160;
  placement.width = mWidth;
  placement.height = mHeight;
  placement.title = mRequest.mainText;
  // Without a loop nobody could answer; the headless form gives the answer
  // it would give in a test.
  if (loop == nullptr) return os::HeadlessAlert().Run(request);
  // Ended from outside while waiting (the window it belongs to went away):
  // cancelled without being shown.
  if (!WaitForEarlierQuestions(loop)) return CancelButton();
  if (!Open(placement)) return os::HeadlessAlert().Run(request);
  mAnswer = 0;
  const int focusBack = FollowHoldOffs();
  loop->RunModal(this);
  os::Window::RemoveModalListener(focusBack);
  Close();
  // Ended from outside (the window it belongs to went away): cancelled.
  return mAnswer != 0 ? mAnswer : CancelButton();
}

bool DrawnAlert::WaitForEarlierQuestions(os::MainLoop* loop) {
  // A question of code the program cannot watch (the plug-in's) counts
  // too, also one it has not been told of yet.
  os::Window::AskModalSources();
  if (os::Window::CurrentModalState().questions == 0) return true;
  const void* token = &mWaiting;
  const int listener = os::Window::AddModalListener([loop, token](const os::Window::ModalState& state) {
    if (state.questions == 0) loop->QuitModal(token);
  });
  loop->RunModal(token);
  os::Window::RemoveModalListener(listener);
  return os::Window::CurrentModalState().questions == 0;
}

int DrawnAlert::FollowHoldOffs() {
  mHeldOff = false;
  return os::Window::AddModalListener([this](const os::Window::ModalState&) {
    os::Window* shown = window();
    if (!shown) return;
    const bool takes = shown->TakesInput();
    if (takes && mHeldOff) shown->RequestFocus();
    mHeldOff = !takes;
  });
}

void DrawnAlert::Layout() {
  mMainLines = Wrap(mRequest.mainText, BoldFont(), kTextWidth);
  mExplanationLines =
      mRequest.explanation.empty() ? std::vector<std::string>{} : Wrap(mRequest.explanation, PlainFont(), kTextWidth);
  int textHeight = static_cast<int>(mMainLines.size()) * LineHeight(BoldFont());
  if (!mExplanationLines.empty())
    textHeight += 8 + static_cast<int>(mExplanationLines.size()) * LineHeight(PlainFont());
  const int top = kMargin + std::max(textHeight, kIconSize) + 20;
  mWidth = kTextLeft + kTextWidth + kMargin;
  mHeight = top + kButtonHeight + kMargin;
  // The default button sits at the right, the cancel one left of it, a
  // third one at the left edge.
  mButtons.clear();
  int right = mWidth - kMargin;
  for (size_t i = 0; i < mRequest.buttons.size(); ++i) {
    const int w = std::max(kMinButtonWidth, TextWidth(mRequest.buttons[i], PlainFont()) + 24);
    if (i == 2) {
      mButtons.push_back({kMargin, top, w, kButtonHeight});
    } else {
      mButtons.push_back({right - w, top, w, kButtonHeight});
      right -= w + kButtonGap;
    }
  }
}

void DrawnAlert::Paint() {
  const int cx = kMargin + kIconSize / 2;
  const int cy = kMargin + kIconSize / 2;
  switch (mRequest.icon) {
    case Icon::kPlain:
      break;
    case Icon::kNote:
      Context()->SetBrushColor(kAmber);
      Context()->FillCircle(cx, cy, kIconSize / 2.0f);
      Fill(cx - 2, cy - 9, 4, 4, kPanel);
      Fill(cx - 2, cy - 3, 4, 12, kPanel);
      break;
    case Icon::kCaution:
      // A triangle row by row.
      for (int row = 0; row < kIconSize - 2; ++row) {
        const int half = (row + 1) * kIconSize / (2 * (kIconSize - 2));
        Fill(cx - half, kMargin + 1 + row, 2 * half, 1, kAmber);
      }
      Fill(cx - 2, cy - 6, 4, 12, kPanel);
      Fill(cx - 2, cy + 9, 4, 4, kPanel);
      break;
    case Icon::kStop:
      Context()->SetBrushColor(kStopRed);
      Context()->FillCircle(cx, cy, kIconSize / 2.0f);
      Fill(cx - 9, cy - 2, 18, 4, kText);
      break;
  }
  int y = kMargin;
  for (const auto& line : mMainLines) {
    Text(kTextLeft, y, line, BoldFont(), kText);
    y += LineHeight(BoldFont());
  }
  y += 8;
  for (const auto& line : mExplanationLines) {
    Text(kTextLeft, y, line, PlainFont(), kText);
    y += LineHeight(PlainFont());
  }
  for (size_t i = 0; i < mButtons.size(); ++i) {
    const Placed& b = mButtons[i];
    Button(b.x, b.y, b.w, b.h, mRequest.buttons[i], i == 0, true,
           PressedButton() == static_cast<int>(i) + 1);
  }
}

int DrawnAlert::ButtonAt(int x, int y) const {
  for (size_t i = 0; i < mButtons.size(); ++i)
    if (Inside(x, y, mButtons[i].x, mButtons[i].y, mButtons[i].w, mButtons[i].h))
      return static_cast<int>(i) + 1;
  return 0;
}

int DrawnAlert::CancelButton() const { return mButtons.size() >= 2 ? 2 : 1; }

void DrawnAlert::Finish(int button) {
  if (mAnswer != 0) return;
  mAnswer = button;
  // Answered, the question is gone at once: a question that waits for it
  // (asked from a timer inside this run) comes up now, before this run
  // has unwound to its caller.
  Close();
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->QuitModal(this);
}

void DrawnAlert::OnWindowMouse(const os::MouseEvent& e) {
  if (const int chosen = PressButtons(e, [this](int x, int y) { return ButtonAt(x, y); }))
    Finish(chosen);
}

bool DrawnAlert::OnWindowKey(const os::KeyEvent& e) {
  if (e.kind != os::KeyEvent::Kind::kDown) return true;
  if (e.chr == 13 || e.chr == 3) Finish(1);
  if (e.chr == 27) Finish(CancelButton());
  return true;
}

void DrawnAlert::OnWindowClose() { Finish(CancelButton()); }
