#include "ui/form.h"

namespace nexolant::ui {

Form::Form(std::string name) : Control(nullptr, std::move(name), ControlKind::kForm) {
  // A form starts hidden with the button-face background; set before any observer exists.
  SetVisible(false);
  SetColor(ui::Color::ButtonFace());
}

Form::~Form() = default;

void Form::SetClientSize(int width, int height) {
  SetBounds({Left(), Top(), width, height});
}

bool Form::Close() {
  bool canClose = true;
  if (OnCloseQuery) {
    OnCloseQuery(*this, canClose);
  }
  if (!canClose) {
    return false;
  }
  if (OnClose) {
    OnClose(*this);
  }
  if (modal_) {
    if (modalResult_ == ui::ModalResult::kNone) {
      SetModalResult(ui::ModalResult::kCancel);
    }
    return true;
  }
  closed_ = true;
  SetVisible(false);
  return true;
}

char Form::KeyPress(char key) {
  if (keyPreview_ && OnKeyPress) {
    OnKeyPress(*this, key);
  }
  return key;
}

void Form::RunCreate() {
  if (!created_) {
    created_ = true;
    if (OnCreate) {
      OnCreate(*this);
    }
  }
}

void Form::RunShow() {
  if (!shown_) {
    shown_ = true;
    if (OnShow) {
      OnShow(*this);
    }
  }
}

void Form::RunDestroy() {
  if (!destroyed_) {
    destroyed_ = true;
    if (OnDestroy) {
      OnDestroy(*this);
    }
  }
}

}  // namespace nexolant::ui
