#include <windows.h>

#include <string>

#include "app/about_form.h"
#include "platform/shell.h"
#include "renderer_fixture.h"

namespace nexolant::win32 {
namespace {

class NoShell : public platform::Shell {
 public:
  platform::Outcome Open(const platform::Path& /*target*/) override {
    return platform::Outcome::Failure(platform::kErrorFileNotFound);
  }
};

// Enter presses a dialog's default button and Escape its cancel button, wherever the focus
// is in the dialog.
TEST_F(RendererTest, EnterAndEscapeCloseTheAboutBox) {
  for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    NoShell shell;
    TAboutForm about(shell, "BACKGROUND");
    Realise(about);
    SetForegroundWindow(FormHandle(about));
    SetFocus(FormHandle(about));
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
    Pump();
    EXPECT_TRUE(about.Closed()) << (key == VK_RETURN ? "Enter" : "Escape");
    backend_.DestroyForm(about);
  }
}

}  // namespace
}  // namespace nexolant::win32
