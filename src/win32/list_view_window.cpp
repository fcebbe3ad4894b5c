#include "win32/list_view_window.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "platform/flag_scope.h"

namespace nexolant::win32 {

namespace {

const std::string kNoText;

bool SameText(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace

ListViewWindow::ListViewWindow(RenderContext& context, ui::ListView& list, HWND parent)
    : ControlWindow(context, list), list_(&list) {
  CreateChild(WC_LISTVIEWA,
              LVS_REPORT | LVS_OWNERDATA | (list.MultiSelect() ? 0 : LVS_SINGLESEL) |
                  LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
              WS_EX_CLIENTEDGE, parent);
  ApplyAll();
}

void ListViewWindow::ApplyAll() {
  ControlWindow::ApplyAll();
  ApplyStyles();
  ApplyColumns();
  ApplyRows();
}

void ListViewWindow::ApplyStyles() {
  const platform::FlagScope applying(applying_);
  const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  const LONG_PTR wanted = list_->MultiSelect() ? style & ~LVS_SINGLESEL : style | LVS_SINGLESEL;
  if (wanted != style) {
    SetWindowLongPtrA(Handle(), GWL_STYLE, wanted);
  }
  const DWORD extended = LVS_EX_FULLROWSELECT | (list_->CheckBoxes() ? LVS_EX_CHECKBOXES : 0);
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES,
               extended);
  SendMessageA(Handle(), LVM_SETCALLBACKMASK, list_->CheckBoxes() ? LVIS_STATEIMAGEMASK : 0, 0);
}

void ListViewWindow::Apply(ui::Property property) {
  switch (property) {
    case ui::Property::kColumns:
      ApplyColumns();
      break;
    case ui::Property::kItemIndex:
    case ui::Property::kUpdating:
      RowsChanged();
      break;
    case ui::Property::kCheckBoxes:
    case ui::Property::kMultiSelect:
      ApplyStyles();
      RowsChanged();
      break;
    case ui::Property::kCaption:
      break;
    default:
      ControlWindow::Apply(property);
      break;
  }
}

void ListViewWindow::ListChanged() {
  RowsChanged();
}

void ListViewWindow::RowsChanged() {
  if (list_->Updating()) {
    return;
  }
  if (Context().App().InHandler()) {
    Context().Defer(*this);
  } else {
    ApplyRows();
  }
}

// A change of widths alone keeps the columns: deleting the first column of a report-style
// list that has rows loses how their sub-items are drawn.
void ListViewWindow::ApplyColumns() {
  const platform::FlagScope applying(applying_);
  const auto& columns = list_->Columns();
  const HWND header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
  if (static_cast<std::size_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) == columns.size()) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, i, Context().Scale(columns[i].width));
    }
    return;
  }
  while (SendMessageA(Handle(), LVM_DELETECOLUMN, 0, 0)) {
  }
  for (std::size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(columns[i].caption.c_str());
    column.cx = Context().Scale(columns[i].width);
    column.iSubItem = static_cast<int>(i);
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

void ListViewWindow::ApplyRows() {
  Context().ForgetDeferred(*this);
  if (list_->Updating()) {
    return;
  }
  const platform::FlagScope applying(applying_);
  const int count = list_->Count();
  if (count != shownCount_) {
    shownCount_ = count;
    // Only the rows that come or go are drawn; the rest keep what they show unless it changed.
    SendMessageA(Handle(), LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
  RedrawChangedRows();
  ApplySelection();
}

// What the window was given for rows out of view is forgotten: they are drawn afresh when
// they scroll into view.
void ListViewWindow::RedrawChangedRows() {
  const int top = static_cast<int>(SendMessageA(Handle(), LVM_GETTOPINDEX, 0, 0));
  const int end = top + static_cast<int>(SendMessageA(Handle(), LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
  std::vector<int> changed;
  for (auto cell = given_.begin(); cell != given_.end();) {
    const auto [row, column] = cell->first;
    const bool inView = row >= top && row < end;
    if (inView && cell->second == CellText(row, column)) {
      ++cell;
      continue;
    }
    // Rows past the end were taken away with the count.
    if (inView && row < shownCount_ && (changed.empty() || changed.back() != row)) {
      changed.push_back(row);
    }
    cell = given_.erase(cell);
  }
  for (auto check = givenChecks_.begin(); check != givenChecks_.end();) {
    const int row = check->first;
    if (row >= top && row < end && row < list_->Count() &&
        check->second == list_->Item(row).checked) {
      ++check;
      continue;
    }
    if (row >= top && row < end && row < shownCount_) {
      changed.push_back(row);
    }
    check = givenChecks_.erase(check);
  }
  std::sort(changed.begin(), changed.end());
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  for (std::size_t first = 0; first < changed.size();) {
    std::size_t last = first;
    while (last + 1 < changed.size() && changed[last + 1] == changed[last] + 1) {
      ++last;
    }
    SendMessageA(Handle(), LVM_REDRAWITEMS, changed[first], changed[last]);
    first = last + 1;
  }
}

// Setting the state of every row costs a notification per row, so it is done only when the
// window's selection differs from the model's.
void ListViewWindow::ApplySelection() {
  const std::vector<int>& selected = list_->Selection();
  if (WindowSelectedRows() == selected) {
    return;
  }
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  if (SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0) > 0) {
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
  }
  for (const int row : selected) {
    state.state = LVIS_SELECTED | (row == selected.front() ? LVIS_FOCUSED : 0);
    SendMessageA(Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }
  if (!selected.empty()) {
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, selected.front(), FALSE);
  }
}

// Asked of the window itself: a question from outside would first apply waiting changes,
// which must not undo the user's selection being reported.
int ListViewWindow::WindowSelection() {
  return static_cast<int>(CallOriginal(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<int> ListViewWindow::WindowSelectedRows() {
  std::vector<int> rows;
  for (int row = WindowSelection(); row >= 0;
       row = static_cast<int>(CallOriginal(LVM_GETNEXTITEM, row, LVNI_SELECTED))) {
    rows.push_back(row);
  }
  return rows;
}

void ListViewWindow::ReportSelection() {
  std::vector<int> rows = WindowSelectedRows();
  if (rows == list_->Selection()) {
    return;
  }
  if (list_->MultiSelect()) {
    Context().Run([this, rows = std::move(rows)] { list_->SelectRowsByUser(rows); });
  } else {
    const int selected = rows.empty() ? -1 : rows.front();
    Context().Run([this, selected] { list_->SelectByUser(selected); });
  }
}

int ListViewWindow::CheckBoxAt(LPARAM point) {
  if (!list_->CheckBoxes()) {
    return -1;
  }
  LVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  const int row = static_cast<int>(CallOriginal(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0 ? row : -1;
}

// Unchecked and checked are the first two state images of a list with check boxes.
void ListViewWindow::GiveState(int row, UINT mask, UINT& state, UINT& stateMask) {
  if ((mask & LVIF_STATE) && list_->CheckBoxes() && row >= 0 && row < list_->Count()) {
    const bool checked = list_->Item(row).checked;
    givenChecks_[row] = checked;
    state = (state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    stateMask |= LVIS_STATEIMAGEMASK;
  }
}

// Below the first selected row when the keyboard asked, else where the mouse was.
POINT ListViewWindow::MenuAnchor() {
  if (menuPoint_) {
    return *menuPoint_;
  }
  const int row = WindowSelection();
  RECT bounds{};
  bounds.left = LVIR_LABEL;
  POINT anchor{0, 0};
  if (row >= 0 && CallOriginal(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) {
    anchor = {bounds.left, bounds.bottom};
  }
  ClientToScreen(Handle(), &anchor);
  return anchor;
}

const std::string& ListViewWindow::CellText(int row, int column) const {
  if (row < 0 || row >= list_->Count() || column < 0) {
    return kNoText;
  }
  const ui::ListItem& item = list_->Item(row);
  if (column == 0) {
    return item.caption;
  }
  const auto at = static_cast<std::size_t>(column - 1);
  return at < item.subItems.size() ? item.subItems[at] : kNoText;
}

const std::string& ListViewWindow::GiveText(int row, int column) {
  const std::pair<int, int> cell{row, column};
  if (list_->Updating()) {
    const auto given = given_.find(cell);
    if (given != given_.end()) {
      return given->second;
    }
  }
  return given_.insert_or_assign(cell, CellText(row, column)).first->second;
}

// The window copies the text from where the answer points, into its caller's buffer.
LRESULT ListViewWindow::GiveTextA(NMLVDISPINFOA& info) {
  if (info.item.mask & LVIF_TEXT) {
    info.item.pszText = const_cast<char*>(GiveText(info.item.iItem, info.item.iSubItem).c_str());
  }
  return 0;
}

// Converted whole, then cut to the caller's buffer.
LRESULT ListViewWindow::GiveTextW(NMLVDISPINFOW& info) {
  if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
    const std::string& text = GiveText(info.item.iItem, info.item.iSubItem);
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    wide.resize(std::min(wide.size(), static_cast<std::size_t>(info.item.cchTextMax - 1)));
    std::copy(wide.begin(), wide.end(), info.item.pszText);
    info.item.pszText[wide.size()] = L'\0';
  }
  return 0;
}

int ListViewWindow::FindRow(int start, std::string_view text, bool partial, bool wrap) const {
  const int count = list_->Count();
  const auto matches = [&](int row) {
    const std::string& caption = list_->Item(row).caption;
    return partial ? caption.size() >= text.size() &&
                         SameText(std::string_view(caption).substr(0, text.size()), text)
                   : SameText(caption, text);
  };
  start = start >= 0 && start < count ? start : 0;
  for (int row = start; row < count; ++row) {
    if (matches(row)) {
      return row;
    }
  }
  for (int row = 0; wrap && row < start; ++row) {
    if (matches(row)) {
      return row;
    }
  }
  return -1;
}

LRESULT ListViewWindow::OnNotify(const NMHDR& header) {
  // The window's questions are answered whoever changes it; they change nothing.
  auto& writable = const_cast<NMHDR&>(header);
  switch (header.code) {
    case LVN_GETDISPINFOA: {
      auto& info = reinterpret_cast<NMLVDISPINFOA&>(writable);
      GiveState(info.item.iItem, info.item.mask, info.item.state, info.item.stateMask);
      return GiveTextA(info);
    }
    case LVN_GETDISPINFOW: {
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(writable);
      GiveState(info.item.iItem, info.item.mask, info.item.state, info.item.stateMask);
      return GiveTextW(info);
    }
    case LVN_ODFINDITEMA: {
      const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
      if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) {
        return -1;
      }
      return FindRow(find.iStart, find.lvfi.psz, (find.lvfi.flags & LVFI_PARTIAL) != 0,
                     (find.lvfi.flags & LVFI_WRAP) != 0);
    }
    case LVN_ODFINDITEMW: {
      const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
      if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) {
        return -1;
      }
      std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1,
                                                                    nullptr, 0, nullptr, nullptr)),
                       '\0');
      WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1, text.data(), static_cast<int>(text.size()),
                          nullptr, nullptr);
      text.resize(std::strlen(text.c_str()));
      return FindRow(find.iStart, text, (find.lvfi.flags & LVFI_PARTIAL) != 0,
                     (find.lvfi.flags & LVFI_WRAP) != 0);
    }
    default:
      break;
  }
  if (applying_) {
    return 0;
  }
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
      ReportSelection();
    }
  } else if (header.code == LVN_ODSTATECHANGED) {
    const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
    if ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) {
      ReportSelection();
    }
  } else if (header.code == NM_CLICK) {
    Context().Run([this] { list_->Click(); });
  } else if (header.code == NM_DBLCLK) {
    const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
    if (row >= 0) {
      Context().Run([this, row] { list_->DoubleClickByUser(row); });
    }
  }
  return 0;
}

// Whoever asks the window about its rows gets the model's: waiting changes are applied first.
// The window would toggle a state image it does not hold and select on its own; the model's
// tick and selection are the ones that count, so these inputs go to it instead.
LRESULT ListViewWindow::HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= LVM_FIRST && message < LVM_FIRST + 0x100) {
    Context().ApplyDeferred(*this);
  }
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (const int row = CheckBoxAt(lParam); row >= 0) {
        SetFocus(Handle());
        Context().Run([this, row] { list_->ToggleByUser({row}); });
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && list_->CheckBoxes()) {
        std::vector<int> rows = WindowSelectedRows();
        if (!rows.empty()) {
          Context().Run([this, rows = std::move(rows)] { list_->ToggleByUser(rows); });
        }
        return 0;
      }
      if (wParam == 'A' && list_->MultiSelect() && GetKeyState(VK_CONTROL) < 0) {
        std::vector<int> all(static_cast<std::size_t>(list_->Count()));
        std::iota(all.begin(), all.end(), 0);
        Context().Run([this, all = std::move(all)] { list_->SelectRowsByUser(all); });
        return 0;
      }
      break;
    case WM_CHAR:
      // Space and Ctrl+A were handled at their key; the window would search rows for them.
      if ((wParam == ' ' && list_->CheckBoxes()) || (wParam == 1 && list_->MultiSelect())) {
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      menuPoint_.reset();
      if (lParam != -1) {
        menuPoint_ = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      }
      Context().Run([this] { list_->ContextMenuByUser(); });
      return 0;
    default:
      break;
  }
  return ControlWindow::HandleChildMessage(message, wParam, lParam);
}

}  // namespace nexolant::win32
