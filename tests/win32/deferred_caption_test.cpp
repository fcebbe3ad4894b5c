#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "renderer_fixture.h"
#include "ui/label.h"

namespace nexolant::win32 {
namespace {

class LabelForm : public ui::Form {
 public:
  LabelForm() : ui::Form("LabelForm") {
    SetCaption("Labels");
    SetClientSize(300, 100);
    label = &Add<ui::Label>("lblCurrentFile");
    label->SetBounds({10, 10, 280, 19});
    label->SetCaption("Scanning processes in memory...");
  }
  ui::Label* label;
};

// The text the window holds, read without a message to the window.
std::string HeldText(HWND hwnd) {
  wchar_t text[256] = L"";
  const int length = InternalGetWindowText(hwnd, text, 256);
  return std::string(text, text + length);
}

// Captions a handler sets on labels reach their windows at the handler's pumps, at once when
// the window's text is asked for, and when the handler has returned.
class DeferredCaptionTest : public RendererTest {
 protected:
  DeferredCaptionTest() { Realise(form_); }
  ~DeferredCaptionTest() override { backend_.DestroyForm(form_); }

  HWND Label() const { return HandleOf(*form_.label); }

  LabelForm form_;
};

TEST_F(DeferredCaptionTest, AHandlersCaptionWaitsForItsNextDispatch) {
  std::string heldInHandler;
  std::string heldAfterPump;
  application_.RunHandler([&] {
    form_.label->SetCaption("C:\\Windows\\a.dll");
    form_.label->SetCaption("C:\\Windows\\b.dll");
    heldInHandler = HeldText(Label());
    backend_.ProcessMessages();
    heldAfterPump = HeldText(Label());
  });
  EXPECT_EQ(heldInHandler, "Scanning processes in memory...");
  EXPECT_EQ(heldAfterPump, "C:\\Windows\\b.dll");
}

TEST_F(DeferredCaptionTest, ReadingTheTextAppliesItAtOnce) {
  std::string read;
  application_.RunHandler([&] {
    form_.label->SetCaption("Scan Complete.");
    read = WindowText(Label());
  });
  EXPECT_EQ(read, "Scan Complete.");
}

TEST_F(DeferredCaptionTest, UpdateWindowsAppliesAWaitingCaptionAtOnce) {
  std::string held;
  application_.RunHandler([&] {
    form_.label->SetCaption("200,000");
    application_.UpdateWindows();
    held = HeldText(Label());
  });
  EXPECT_EQ(held, "200,000");
}

TEST_F(DeferredCaptionTest, OutsideAHandlerACaptionIsAppliedAtOnce) {
  form_.label->SetCaption("Scan Complete.");
  EXPECT_EQ(HeldText(Label()), "Scan Complete.");
}

TEST_F(DeferredCaptionTest, AFormDestroyedWithAWaitingCaptionLeavesNothingBehind) {
  LabelForm other;
  Realise(other);
  application_.RunHandler([&] {
    other.label->SetCaption("gone");
    backend_.DestroyForm(other);
    form_.label->SetCaption("kept");
    backend_.ProcessMessages();
  });
  EXPECT_EQ(HeldText(Label()), "kept");
}

}  // namespace
}  // namespace nexolant::win32
