#include "win32/render_context.h"

#include <algorithm>
#include <utility>

#include "ui/form.h"
#include "ui/notebook.h"
#include "win32/colors.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

HBRUSH BrushCache::Get(COLORREF color) {
  auto found = brushes_.find(color);
  if (found == brushes_.end()) {
    found = brushes_.emplace(color, UniqueGdiObject(CreateSolidBrush(color))).first;
  }
  return static_cast<HBRUSH>(found->second.get());
}

RenderContext::RenderContext(ui::Application& application, HintWindow& hints, int dpi)
    : application_(&application), hints_(&hints), dpi_(dpi > 0 ? dpi : 96), fonts_(dpi_ / 96.0) {}

void RenderContext::Defer(ControlWindow& window) {
  if (std::find(deferred_.begin(), deferred_.end(), &window) == deferred_.end()) {
    deferred_.push_back(&window);
  }
}

void RenderContext::ApplyDeferred() {
  std::vector<ControlWindow*> hidden;
  for (ControlWindow* window : std::exchange(deferred_, {})) {
    if (window->PendingWaitsWhileHidden() && !IsWindowVisible(window->Handle())) {
      hidden.push_back(window);
    } else {
      window->ApplyPending();
    }
  }
  for (ControlWindow* window : hidden) {
    Defer(*window);
  }
}

void RenderContext::ApplyDeferred(ControlWindow& window) {
  const auto found = std::find(deferred_.begin(), deferred_.end(), &window);
  if (found != deferred_.end()) {
    deferred_.erase(found);
    window.ApplyPending();
  }
}

void RenderContext::ForgetDeferred(ControlWindow& window) {
  std::erase(deferred_, &window);
}

RECT RenderContext::ToPixels(const ui::Rect& rect) const {
  return RECT{Scale(rect.left), Scale(rect.top), Scale(rect.Right()), Scale(rect.Bottom())};
}

COLORREF ContainerBackground(const ui::Container& container) {
  if (const auto* page = dynamic_cast<const ui::NotebookPage*>(&container)) {
    return ControlBackground(page->Owner());
  }
  const ui::Form& form = container.OwnerForm();
  return ToColorRef(form.Color(), GetSysColor(COLOR_BTNFACE));
}

COLORREF ControlBackground(const ui::Control& control) {
  if (const auto* form = dynamic_cast<const ui::Form*>(&control)) {
    return ToColorRef(form->Color(), GetSysColor(COLOR_BTNFACE));
  }
  return ToColorRef(control.Color(), ContainerBackground(*control.Parent()));
}

COLORREF TextColor(const ui::Control& control) {
  return ToColorRef(control.Font().color, GetSysColor(COLOR_WINDOWTEXT));
}

}  // namespace nexolant::win32
