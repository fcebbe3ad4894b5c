#include "ui/control_table.h"
#include "app/pages/pages.h"
#include "ui/memo.h"

namespace nexolant {

void BuildDetailsPage(ui::NotebookPage& page, const platform::Locale& /*locale*/) {
  auto& memo = page.Add<ui::Memo>("DetailsMemo");
  memo.SetBounds({8, 8, 487, 225});
  memo.SetColor(panel_colors::kPanel);
  memo.SetFont({.face = "Courier New", .height = 13});
  memo.SetReadOnly(true);
  memo.SetWordWrap(false);
  memo.SetScrollBars(ui::ScrollBars::kNone);
}

}  // namespace nexolant
