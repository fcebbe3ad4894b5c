#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/raise.h"
#include "ui/control.h"

namespace nexolant::ui {

class ControlObserver;

enum class BorderStyle { kSingle, kDialog, kNone };

struct BorderIcons {
  bool systemMenu = true;
  bool minimize = true;
  bool maximize = true;

  bool operator==(const BorderIcons&) const = default;
};

enum class FormPosition { kDesigned, kScreenCenter };

enum class ModalResult { kNone, kOk, kCancel };

// A top-level window and the owner of its controls. Bounds() gives the designed screen
// position (left, top) and the client size (width, height); Caption() is the title; Color()
// the background; Font() the font new controls take. A form starts hidden: the Application
// shows it (Run, ShowModal) and runs its lifecycle events.
class Form : public Control, public Container {
 public:
  using FormEvent = std::function<void(Form& sender)>;
  using KeyEvent = std::function<void(Form& sender, char& key)>;
  using CloseQueryEvent = std::function<void(Form& sender, bool& canClose)>;

  explicit Form(std::string name);
  ~Form() override;

  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientSize(int width, int height);

  ui::BorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(ui::BorderStyle style) {
    Update(borderStyle_, style, Property::kBorderStyle);
  }
  const ui::BorderIcons& BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(const ui::BorderIcons& icons) {
    Update(borderIcons_, icons, Property::kBorderIcons);
  }
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition position) { Update(position_, position, Property::kPosition); }
  // The icon resource of the title bar and the taskbar.
  const std::string& Icon() const { return icon_; }
  void SetIcon(std::string icon) { Update(icon_, std::move(icon), Property::kPicture); }
  // Whether typed characters reach OnKeyPress before the control that has the focus.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }

  // Set while the form is shown modally; a result other than kNone ends the modal loop.
  ui::ModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(ui::ModalResult result) {
    Update(modalResult_, result, Property::kModalResult);
  }
  bool Modal() const { return modal_; }

  // Asks OnCloseQuery, which may refuse; then runs OnClose and ends the modal loop with
  // kCancel (unless a result is already set) or, for a modeless form, hides it and marks it
  // closed, which ends Application::Run. Returns whether the form closed.
  bool Close();
  bool Closed() const { return closed_; }

  FormEvent OnCreate;
  FormEvent OnShow;
  // The user or the system asked the form to close; the close itself may follow later
  // (Application::RequestClose).
  FormEvent OnCloseRequest;
  CloseQueryEvent OnCloseQuery;
  FormEvent OnClose;
  FormEvent OnDestroy;
  KeyEvent OnKeyPress;

  void RaiseCloseRequest() { Raise(OnCloseRequest, *this); }

  // The controls Tab moves through, in order: those that take the keyboard focus and accept
  // input now, in the order they were created (the order of the layout tables, top to bottom),
  // a notebook standing for the controls of its shown page.
  std::vector<Control*> TabOrder() const;
  // Where Tab (or Shift+Tab, backwards) moves the focus from current, wrapping around; from
  // a control outside the order (or none) it goes to the first (or last) stop. Null when no
  // control can take the focus.
  Control* NextTabStop(const Control* current, bool backwards) const;

  // Input: a character typed anywhere in the form. With KeyPreview, OnKeyPress sees it first
  // and may change it; returns the character to hand on to the control (0: consumed).
  char KeyPress(char key);

  // The renderer, set by the backend while the form is realised.
  ControlObserver* Observer() const { return observer_; }
  void SetObserver(ControlObserver* observer) { observer_ = observer; }

  Form& OwnerForm() const override { return const_cast<Form&>(*this); }
  bool ContentShowing() const override { return true; }
  const ui::Font& ChildFont() const override { return Font(); }

 private:
  friend class Application;

  // Lifecycle steps, each run once, in this order, by the Application.
  void RunCreate();
  void RunShow();
  void RunDestroy();

  ui::BorderStyle borderStyle_ = ui::BorderStyle::kSingle;
  ui::BorderIcons borderIcons_;
  FormPosition position_ = FormPosition::kDesigned;
  std::string icon_;
  bool keyPreview_ = false;
  ui::ModalResult modalResult_ = ui::ModalResult::kNone;
  bool modal_ = false;
  bool closed_ = false;
  bool created_ = false;
  bool shown_ = false;
  bool destroyed_ = false;
  ControlObserver* observer_ = nullptr;
};

}  // namespace nexolant::ui
