#include "win32/notebook_window.h"

#include "win32/gdi.h"

namespace nexolant::win32 {

NotebookWindow::NotebookWindow(RenderContext& context, ui::Notebook& notebook, HWND parent)
    : ControlWindow(context, notebook), notebook_(&notebook) {
  CreateChild("STATIC", SS_OWNERDRAW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent);
  RECT client;
  GetClientRect(Handle(), &client);
  for (int i = 0; i < notebook.PageCount(); ++i) {
    pages_.push_back(
        std::make_unique<ContainerWindow>(context, notebook.Page(i), Handle(), client));
  }
  ApplyAll();
  ShowActivePage();
}

NotebookWindow::~NotebookWindow() = default;

void NotebookWindow::ShowActivePage() {
  const int active = notebook_->PageIndex();
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
    if (i != active) {
      ShowWindow(pages_[i]->Handle(), SW_HIDE);
    }
  }
  if (active >= 0 && active < static_cast<int>(pages_.size())) {
    ShowWindow(pages_[active]->Handle(), SW_SHOWNA);
  }
}

void NotebookWindow::PlacePages() {
  RECT client;
  GetClientRect(Handle(), &client);
  for (const auto& page : pages_) {
    SetWindowPos(page->Handle(), nullptr, 0, 0, client.right, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void NotebookWindow::Apply(ui::Property property) {
  switch (property) {
    case ui::Property::kPageIndex:
      ShowActivePage();
      break;
    case ui::Property::kBounds:
      ControlWindow::Apply(property);
      PlacePages();
      break;
    case ui::Property::kColor:
      ControlWindow::Apply(property);
      for (const auto& page : pages_) {
        InvalidateRect(page->Handle(), nullptr, TRUE);
      }
      break;
    default:
      ControlWindow::Apply(property);
      break;
  }
}

void NotebookWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  FillSolid(item.hDC, item.rcItem, ControlBackground(*notebook_));
}

}  // namespace nexolant::win32
