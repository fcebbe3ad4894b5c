#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/list_view.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Empty() { return nullptr; }
  static void Close(Handle h) { ImageList_Destroy(h); }
};

// A ListView: a SysListView32 in report style with whole-row single selection, holding the
// model's columns and rows as text items in the model's order.
class ListViewWindow : public ControlWindow {
 public:
  ListViewWindow(RenderContext& context, ui::ListView& list, HWND parent);

  void Apply(ui::Property property) override;
  void ApplyAll() override;
  LRESULT OnNotify(const NMHDR& header) override;
  HBRUSH OnColor(HDC /*dc*/) override { return nullptr; }

  void ListChanged(const ui::ListChange& change);

 private:
  void ApplyColumns();
  void ApplyImages();
  void ApplySelection();
  void InsertRow(int index);
  void SetRowTexts(int index);
  void ReloadRows();

  ui::ListView* list_;
  UniqueResource<ImageListTraits> images_;
  // Set while the window is changed from the model, so that its notifications are not
  // taken for the user's.
  bool applying_ = false;
};

}  // namespace nexolant::win32
