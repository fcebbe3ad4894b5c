#include "win32/list_view_window.h"

#include "win32/colors.h"

namespace nexolant::win32 {

namespace {

// Marks a change that comes from the model for the length of a scope.
class ApplyingScope {
 public:
  explicit ApplyingScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~ApplyingScope() { flag_ = previous_; }
  ApplyingScope(const ApplyingScope&) = delete;
  ApplyingScope& operator=(const ApplyingScope&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

ListViewWindow::ListViewWindow(RenderContext& context, ui::ListView& list, HWND parent)
    : ControlWindow(context, list), list_(&list) {
  CreateChild(WC_LISTVIEWA,
              LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
              WS_EX_CLIENTEDGE, parent);
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  ApplyAll();
}

void ListViewWindow::ApplyAll() {
  ControlWindow::ApplyAll();
  ApplyImages();
  ApplyColumns();
  ReloadRows();
}

void ListViewWindow::Apply(ui::Property property) {
  switch (property) {
    case ui::Property::kColumns:
      ApplyColumns();
      break;
    case ui::Property::kPicture:
      ApplyImages();
      break;
    case ui::Property::kItemIndex:
      ApplySelection();
      break;
    case ui::Property::kUpdating:
      SendMessageA(Handle(), WM_SETREDRAW, list_->Updating() ? FALSE : TRUE, 0);
      if (!list_->Updating()) {
        InvalidateRect(Handle(), nullptr, TRUE);
      }
      break;
    case ui::Property::kCaption:
      break;
    default:
      ControlWindow::Apply(property);
      break;
  }
}

void ListViewWindow::ApplyImages() {
  const Picture* picture = Context().Pictures().Find(list_->SmallImages());
  UniqueResource<ImageListTraits> images;
  if (picture && picture->height > 0) {
    images.reset(ImageList_Create(picture->height, picture->height, ILC_COLOR24 | ILC_MASK,
                                  picture->width / picture->height, 0));
    if (images) {
      // The image list copies the pixels it needs.
      const UniqueGdiObject copy(CopyImage(picture->bitmap.get(), IMAGE_BITMAP, 0, 0, 0));
      ImageList_AddMasked(images.get(), static_cast<HBITMAP>(copy.get()),
                          GlyphTransparentColor(*picture));
    }
  }
  SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.get()));
  images_ = std::move(images);
}

// A change of widths alone keeps the columns: deleting the first column of a report-style
// list that has rows loses how their sub-items are drawn.
void ListViewWindow::ApplyColumns() {
  const ApplyingScope applying(applying_);
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

void ListViewWindow::SetRowTexts(int index) {
  const ui::ListItem& row = list_->Item(index);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<char*>(row.caption.c_str());
  item.iImage = row.imageIndex;
  SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  const int columns = static_cast<int>(list_->Columns().size());
  for (int sub = 1; sub < columns; ++sub) {
    const std::size_t at = static_cast<std::size_t>(sub - 1);
    LVITEMA subItem{};
    subItem.mask = LVIF_TEXT;
    subItem.iItem = index;
    subItem.iSubItem = sub;
    subItem.pszText = const_cast<char*>(at < row.subItems.size() ? row.subItems[at].c_str() : "");
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&subItem));
  }
}

void ListViewWindow::InsertRow(int index) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>("");
  SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  SetRowTexts(index);
}

void ListViewWindow::ReloadRows() {
  const ApplyingScope applying(applying_);
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < list_->Count(); ++i) {
    InsertRow(i);
  }
  ApplySelection();
  if (!list_->Updating()) {
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

// Setting the state of every row costs a notification per row, so it is done only when the
// window's selection differs from the model's: a row inserted or deleted moves both alike.
void ListViewWindow::ApplySelection() {
  const ApplyingScope applying(applying_);
  const int selected = list_->ItemIndex();
  const int shown = static_cast<int>(
      SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (shown == selected) {
    return;
  }
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  // Clearing the state of every row costs a notification per row: only while a row is
  // selected, so that adding rows to a list without a selection stays cheap.
  if (SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0) > 0) {
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
  }
  if (selected >= 0) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&state));
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, selected, FALSE);
  }
}

void ListViewWindow::ListChanged(const ui::ListChange& change) {
  const ApplyingScope applying(applying_);
  switch (change.kind) {
    case ui::ListChange::Kind::kInserted:
      InsertRow(change.index);
      break;
    case ui::ListChange::Kind::kDeleted:
      SendMessageA(Handle(), LVM_DELETEITEM, change.index, 0);
      break;
    case ui::ListChange::Kind::kChanged:
      SetRowTexts(change.index);
      break;
    case ui::ListChange::Kind::kCleared:
      SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
      break;
    case ui::ListChange::Kind::kReordered:
      ReloadRows();
      return;
  }
  ApplySelection();
}

LRESULT ListViewWindow::OnNotify(const NMHDR& header) {
  if (applying_) {
    return 0;
  }
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
      const int selected = static_cast<int>(
          SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
      if (selected != list_->ItemIndex()) {
        Context().Run([this, selected] { list_->SelectByUser(selected); });
      }
    }
  } else if (header.code == NM_CLICK) {
    Context().Run([this] { list_->Click(); });
  }
  return 0;
}

}  // namespace nexolant::win32
