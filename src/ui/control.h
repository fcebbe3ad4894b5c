#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/control_observer.h"
#include "ui/graphics.h"
#include "ui/property.h"

namespace nexolant::ui {

enum class ControlKind {
  kForm,
  kLabel,
  kLinkLabel,
  kShape,
  kImage,
  kBevel,
  kButton,
  kImageButton,
  kSpeedButton,
  kCheckBox,
  kRadioButton,
  kComboBox,
  kListView,
  kMemo,
  kNotebook,
};

class Control;
class Form;

// Something that owns controls: a form or a notebook page. Creation order is z-order: the
// first control is at the bottom.
class Container {
 public:
  Container() = default;
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;
  virtual ~Container() = default;

  // Creates a control of kind T owned by this container. Controls are added while a form is
  // built, before the backend realises it.
  template <class T>
  T& Add(std::string name) {
    auto control = std::make_unique<T>(*this, std::move(name));
    T& result = *control;
    controls_.push_back(std::move(control));
    return result;
  }

  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  // The control of that name in this container or, through notebooks, in their pages.
  Control* FindControl(std::string_view name) const;
  template <class T>
  T* Find(std::string_view name) const {
    return dynamic_cast<T*>(FindControl(name));
  }

  virtual Form& OwnerForm() const = 0;
  // Whether the content of this container can be seen (a notebook page only while selected;
  // the form itself always counts as showing).
  virtual bool ContentShowing() const = 0;
  // The font a new control takes.
  virtual const Font& ChildFont() const = 0;

 private:
  std::vector<std::unique_ptr<Control>> controls_;
};

// The base of every control. Setters notify the form's observer once when the value really
// changes. The input methods (Click, MouseEnter, ...) are what the renderer calls on user
// input; they act only while the control is showing and enabled, like a real window, and let
// exceptions from the events pass: the caller hands them to Application::RunHandler.
//
// Inside classes derived from Control or Form, write the value types as ui::Font, ui::Color,
// ui::Cursor and ui::Alignment: the accessors share their names.
class Control {
 public:
  using Event = std::function<void(Control& sender)>;

  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  // The form or notebook page that owns this control; null for a form.
  Container* Parent() const { return parent_; }
  virtual Form& OwnerForm() const;

  const Rect& Bounds() const { return bounds_; }
  void SetBounds(const Rect& bounds);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // The window text: a label's or a button's caption, a form's title.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  const ui::Font& Font() const { return font_; }
  void SetFont(const ui::Font& font);
  void SetFontColor(ui::Color color);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  // Whether Hint() shows as a pop-up hint window.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool showHint);
  ui::Cursor Cursor() const { return cursor_; }
  void SetCursor(ui::Cursor cursor);
  // The background (a Shape's fill); default means the parent's.
  ui::Color Color() const { return color_; }
  void SetColor(ui::Color color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // Program data; not shown, so not notified.
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // Mouse state, for the kinds the renderer draws itself: over the control, button held on it.
  bool Hot() const { return hot_; }
  bool Pushed() const { return pushed_; }

  // Visible, in a container whose content shows, up to the form (whose own visibility does
  // not count, so that tests can use a form that no backend has shown).
  bool Showing() const;
  bool AcceptsInput() const { return Showing() && Enabled(); }

  Event OnClick;
  Event OnMouseEnter;
  Event OnMouseLeave;

  // A complete click: the kind's own state change, then OnClick. False when the control did
  // not accept the input.
  bool Click();
  // The control whose click is being handled now (innermost), or null: an action kept for
  // later asks it again whether it still accepts input.
  static Control* Clicked() { return clicked_; }
  // Makes control the one being clicked for the scope's lifetime, as Click() does for its
  // OnClick.
  class ClickScope {
   public:
    explicit ClickScope(Control* control) : previous_(std::exchange(clicked_, control)) {}
    ~ClickScope() { clicked_ = previous_; }
    ClickScope(const ClickScope&) = delete;
    ClickScope& operator=(const ClickScope&) = delete;

   private:
    Control* previous_;
  };
  void MouseEnter();
  // Acts only after MouseEnter, but then also when the control was disabled or hidden since.
  void MouseLeave();
  // The mouse button went down or up over the control; the renderer calls Click() itself when
  // the button is released inside.
  void MouseDown();
  void MouseUp();

 protected:
  Control(Container* parent, std::string name, ControlKind kind);

  // Tells the observer, if any, that property changed.
  void Changed(Property property);
  // Sets field to value and notifies, when they differ. Returns whether it changed.
  template <class T, class U>
  bool Update(T& field, U&& value, Property property) {
    if (field == value) {
      return false;
    }
    field = std::forward<U>(value);
    Changed(property);
    return true;
  }

  // The kind's own response to a click, before OnClick. Returns false to suppress OnClick.
  virtual bool ClickAction() { return true; }

 private:
  Container* parent_;
  std::string name_;
  ControlKind kind_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  ui::Font font_;
  std::string hint_;
  bool showHint_ = false;
  ui::Cursor cursor_ = ui::Cursor::kDefault;
  ui::Color color_;
  bool transparent_ = false;
  int tag_ = 0;
  bool hot_ = false;
  bool pushed_ = false;
  // One thread handles all input, so one pointer names the click in hand.
  static inline Control* clicked_ = nullptr;
};

}  // namespace nexolant::ui
