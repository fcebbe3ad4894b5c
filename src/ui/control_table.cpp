#include "ui/control_table.h"

#include <stdexcept>
#include <string>

#include "ui/controls.h"

namespace nexolant {
namespace {

// Label properties shared by labels and links.
void SetUpLabel(ui::Label& label, const ControlRow& row) {
  label.SetAlignment(row.alignment);
  label.SetAutoSize(row.bounds.width == 0);
  label.SetTransparent(true);
}

ui::Control& AddOfKind(ui::Container& container, const ControlRow& row) {
  const std::string name(row.name);
  const std::string picture(row.picture);
  switch (row.kind) {
    case ui::ControlKind::kLabel: {
      auto& label = container.Add<ui::Label>(name);
      SetUpLabel(label, row);
      return label;
    }
    case ui::ControlKind::kLinkLabel: {
      auto& link = container.Add<ui::LinkLabel>(name);
      SetUpLabel(link, row);
      return link;
    }
    case ui::ControlKind::kShape:
      return container.Add<ui::Shape>(name);
    case ui::ControlKind::kImage: {
      auto& image = container.Add<ui::Image>(name);
      image.SetPicture(picture);
      return image;
    }
    case ui::ControlKind::kBevel: {
      auto& bevel = container.Add<ui::Bevel>(name);
      bevel.SetBevelShape(ui::BevelShape::kTopLine);
      return bevel;
    }
    case ui::ControlKind::kButton: {
      auto& button = container.Add<ui::Button>(name);
      button.SetGlyph(picture);
      return button;
    }
    case ui::ControlKind::kCheckBox: {
      auto& box = container.Add<ui::CheckBox>(name);
      box.SetChecked(row.checked);
      return box;
    }
    case ui::ControlKind::kRadioButton: {
      auto& radio = container.Add<ui::RadioButton>(name);
      radio.SetChecked(row.checked);
      return radio;
    }
    case ui::ControlKind::kComboBox:
      return container.Add<ui::ComboBox>(name);
    case ui::ControlKind::kListView:
      return container.Add<ui::ListView>(name);
    case ui::ControlKind::kMemo:
      return container.Add<ui::Memo>(name);
    default:
      throw std::logic_error("layout tables cannot make control " + name);
  }
}

}  // namespace

void BuildControls(ui::Container& container, std::span<const ControlRow> rows) {
  for (const ControlRow& row : rows) {
    ui::Control& control = AddOfKind(container, row);
    control.SetBounds(row.bounds);
    control.SetCaption(row.caption);
    if (row.font != nullptr) {
      control.SetFont(*row.font);
    }
    control.SetColor(row.color);
    if (!row.hint.empty()) {
      control.SetHint(std::string(row.hint));
      control.SetShowHint(true);
    }
    control.SetEnabled(row.enabled);
    control.SetVisible(row.visible);
    row.slot.Fill(control);
  }
}

}  // namespace nexolant
