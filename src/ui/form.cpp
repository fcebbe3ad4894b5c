#include "ui/form.h"

#include <algorithm>

#include "platform/raise.h"
#include "ui/notebook.h"

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
  Raise(OnCloseQuery, *this, canClose);
  if (!canClose) {
    return false;
  }
  Raise(OnClose, *this);
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

namespace {

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton:
    case ControlKind::kImageButton:
    case ControlKind::kSpeedButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kComboBox:
    case ControlKind::kListView:
    case ControlKind::kMemo:
      return true;
    default:
      return false;
  }
}

void CollectTabStops(const Container& container, std::vector<Control*>& stops) {
  for (const auto& control : container.Controls()) {
    if (control->Kind() == ControlKind::kNotebook) {
      const auto& notebook = static_cast<const Notebook&>(*control);
      if (notebook.Showing() && notebook.PageIndex() >= 0) {
        CollectTabStops(notebook.Page(notebook.PageIndex()), stops);
      }
    } else if (TakesFocus(control->Kind()) && control->AcceptsInput()) {
      stops.push_back(control.get());
    }
  }
}

}  // namespace

std::vector<Control*> Form::TabOrder() const {
  std::vector<Control*> stops;
  CollectTabStops(*this, stops);
  return stops;
}

Control* Form::NextTabStop(const Control* current, bool backwards) const {
  const std::vector<Control*> stops = TabOrder();
  if (stops.empty()) {
    return nullptr;
  }
  const auto found = std::find(stops.begin(), stops.end(), current);
  if (found == stops.end()) {
    return backwards ? stops.back() : stops.front();
  }
  const std::size_t at = static_cast<std::size_t>(found - stops.begin());
  return stops[backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size()];
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
    Raise(OnCreate, *this);
  }
}

void Form::RunShow() {
  if (!shown_) {
    shown_ = true;
    Raise(OnShow, *this);
  }
}

void Form::RunDestroy() {
  if (!destroyed_) {
    destroyed_ = true;
    Raise(OnDestroy, *this);
  }
}

}  // namespace nexolant::ui
