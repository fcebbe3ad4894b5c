#pragma once

#include <memory>
#include <vector>

#include "ui/notebook.h"
#include "win32/container_window.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// A Notebook: an owner-drawn STATIC in the notebook's colour holding one page window per
// page, each covering it; only the active page's window is shown.
class NotebookWindow : public ControlWindow {
 public:
  NotebookWindow(RenderContext& context, ui::Notebook& notebook, HWND parent);
  ~NotebookWindow() override;

  // The window that holds the controls of a page.
  HWND PageHandle(int index) const { return pages_.at(index)->Handle(); }

  void Apply(ui::Property property) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void ShowActivePage();
  void PlacePages();

  ui::Notebook* notebook_;
  std::vector<std::unique_ptr<ContainerWindow>> pages_;
};

}  // namespace nexolant::win32
