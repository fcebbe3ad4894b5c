#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/list_view.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// A ListView: a SysListView32 in report style with whole-row selection that shows the model's
// rows without holding them (LVS_OWNERDATA). Check boxes are state images the window asks for
// (the callback mask); a click on one, Space and Ctrl+A are taken before the window's own
// handling and given to the model, which decides. The window knows only the number of rows;
// it asks for each cell's text when it draws it or when anyone, in any process, sends it
// LVM_GETITEMTEXT (LVN_GETDISPINFO), and asks where typed letters lead (LVN_ODFINDITEM).
// Rows changed while an event handler runs reach the window when messages are dispatched, as
// label captions do, or once the list is shown or asked about (any LVM_ message); then the count is
// set and only the rows in view whose text differs from what the window was given are drawn again,
// so a refresh that changes nothing draws nothing.
class ListViewWindow : public ControlWindow {
 public:
  ListViewWindow(RenderContext& context, ui::ListView& list, HWND parent);

  void Apply(ui::Property property) override;
  void ApplyAll() override;
  void ApplyPending() override { ApplyRows(); }
  // Setting the row count costs the window more than drawing a label does, shown or not.
  bool PendingWaitsWhileHidden() const override { return true; }
  LRESULT OnNotify(const NMHDR& header) override;
  POINT MenuAnchor() override;
  HBRUSH OnColor(HDC /*dc*/) override { return nullptr; }

  void ListChanged();

 protected:
  LRESULT HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyColumns();
  // Brings the window's count, its drawn rows and its selection up to the model's.
  void ApplyRows();
  void RedrawChangedRows();
  void ApplySelection();
  int WindowSelection();
  std::vector<int> WindowSelectedRows();
  void ApplyStyles();
  void ReportSelection();
  // The row whose check box is at a point of the client area, or -1.
  int CheckBoxAt(LPARAM point);
  void GiveState(int row, UINT mask, UINT& state, UINT& stateMask);
  // Applies the rows now, or at the next dispatch while a handler runs; never while the model
  // is being updated, whose end applies them.
  void RowsChanged();

  const std::string& CellText(int row, int column) const;
  // The text handed to the window for a cell, noted as what it shows there. While the model is
  // updated the window keeps what it was given before, so a repaint then shows no half-built
  // list.
  const std::string& GiveText(int row, int column);
  LRESULT GiveTextA(NMLVDISPINFOA& info);
  LRESULT GiveTextW(NMLVDISPINFOW& info);
  // The first row from start whose caption equals text, or begins with it when partial,
  // letter case ignored; with wrap the search goes on from the first row. -1 when none.
  int FindRow(int start, std::string_view text, bool partial, bool wrap) const;

  ui::ListView* list_;
  int shownCount_ = 0;
  // What the window was given for each cell since it was last drawn, by row and column.
  std::map<std::pair<int, int>, std::string> given_;
  // The tick each row's check box was drawn with.
  std::map<int, bool> givenChecks_;
  // Where the mouse asked for the menu, in screen coordinates; none when the keyboard did.
  std::optional<POINT> menuPoint_;
  // Set while the window is changed from the model, so that its notifications are not
  // taken for the user's.
  bool applying_ = false;
};

}  // namespace nexolant::win32
