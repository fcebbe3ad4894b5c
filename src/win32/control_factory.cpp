#include "win32/control_factory.h"

#include <stdexcept>

#include "ui/controls.h"
#include "win32/button_windows.h"
#include "win32/check_window.h"
#include "win32/combo_box_window.h"
#include "win32/graphic_window.h"
#include "win32/label_window.h"
#include "win32/list_view_window.h"
#include "win32/memo_window.h"
#include "win32/notebook_window.h"

namespace nexolant::win32 {

std::unique_ptr<ControlWindow> CreateControlWindow(RenderContext& context, ui::Control& control,
                                                   HWND parent) {
  switch (control.Kind()) {
    case ui::ControlKind::kLabel:
    case ui::ControlKind::kLinkLabel:
      return std::make_unique<LabelWindow>(context, static_cast<ui::Label&>(control), parent);
    case ui::ControlKind::kShape:
    case ui::ControlKind::kImage:
    case ui::ControlKind::kBevel:
      return std::make_unique<GraphicWindow>(context, control, parent);
    case ui::ControlKind::kButton:
      return std::make_unique<PushButtonWindow>(context, static_cast<ui::Button&>(control), parent);
    case ui::ControlKind::kImageButton:
      return std::make_unique<ImageButtonWindow>(context, static_cast<ui::ImageButton&>(control),
                                                 parent);
    case ui::ControlKind::kSpeedButton:
      return std::make_unique<SpeedButtonWindow>(context, static_cast<ui::SpeedButton&>(control),
                                                 parent);
    case ui::ControlKind::kCheckBox:
    case ui::ControlKind::kRadioButton:
      return std::make_unique<CheckWindow>(context, control, parent);
    case ui::ControlKind::kComboBox:
      return std::make_unique<ComboBoxWindow>(context, static_cast<ui::ComboBox&>(control), parent);
    case ui::ControlKind::kListView:
      return std::make_unique<ListViewWindow>(context, static_cast<ui::ListView&>(control), parent);
    case ui::ControlKind::kMemo:
      return std::make_unique<MemoWindow>(context, static_cast<ui::Memo&>(control), parent);
    case ui::ControlKind::kNotebook:
      return std::make_unique<NotebookWindow>(context, static_cast<ui::Notebook&>(control), parent);
    case ui::ControlKind::kForm:
      break;
  }
  throw std::logic_error("A form cannot be placed on a form: " + control.Name());
}

}  // namespace nexolant::win32
