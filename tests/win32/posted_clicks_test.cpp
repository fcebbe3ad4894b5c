// Clicks kept while a long action holds them reach the real message queue when it ends, and
// each is asked when it is dispatched whether its button still takes input.
#include <windows.h>

#include "renderer_fixture.h"
#include "ui/deferred_actions.h"

namespace nexolant::win32 {
namespace {

class PostedClicksTest : public RendererTest {
 protected:
  PostedClicksTest() {
    form_.SetCaption("Posted");
    form_.SetClientSize(200, 100);
    button_ = &form_.Add<ui::Button>("btnGo");
    button_->SetBounds({10, 10, 80, 24});
    button_->SetCaption("Go");
    button_->OnClick = [this](ui::Control&) { GoClick(); };
    Realise(form_);
  }
  ~PostedClicksTest() override { backend_.DestroyForm(form_); }

  // Runs once, then the button is disabled, as a handler that starts something does.
  void GoClick() {
    if (deferred_.Defer([this] { GoClick(); })) {
      return;
    }
    ++runs_;
    button_->SetEnabled(false);
  }

  ui::Form form_{"PostedForm"};
  ui::Button* button_ = nullptr;
  ui::DeferredActions deferred_{application_};
  int runs_ = 0;
};

TEST_F(PostedClicksTest, ADoubleClickKeptDuringAHoldRunsOnceWhenTheQueueIsDispatched) {
  {
    const ui::DeferredActions::Hold hold(deferred_);
    SendMessageA(HandleOf(*button_), BM_CLICK, 0, 0);
    SendMessageA(HandleOf(*button_), BM_CLICK, 0, 0);
    EXPECT_EQ(runs_, 0);
  }
  EXPECT_EQ(runs_, 0) << "a kept click runs from the queue, not inside the hold's end";
  Pump();
  EXPECT_EQ(runs_, 1);
  EXPECT_FALSE(IsWindowEnabled(HandleOf(*button_)));
}

}  // namespace
}  // namespace nexolant::win32
