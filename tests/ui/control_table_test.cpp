#include "ui/control_table.h"

#include <gtest/gtest.h>

#include <array>
#include <typeinfo>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

namespace nexolant {
namespace {

TEST(ControlTable, HandsEachControlToItsSlotAndRefusesAKindThatDoesNotFit) {
  ui::Form form("Form");
  ui::Label* label = nullptr;
  ui::Button* button = nullptr;
  const auto rows = std::to_array<ControlRow>({
      {.name = "lblOne", .kind = ui::ControlKind::kLabel, .bounds = {1, 2, 0, 0}, .slot = label},
      {.name = "Shape", .kind = ui::ControlKind::kShape, .bounds = {0, 0, 5, 5}},
      {.name = "btnTwo", .kind = ui::ControlKind::kButton, .bounds = {3, 4, 5, 6}, .slot = button},
  });
  BuildControls(form, rows);
  ASSERT_NE(label, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(label->Name(), "lblOne");
  EXPECT_EQ(button->Bounds(), (ui::Rect{3, 4, 5, 6}));

  ui::Button* wrong = nullptr;
  const auto badRows = std::to_array<ControlRow>(
      {{.name = "lblThree", .kind = ui::ControlKind::kLabel, .bounds = {}, .slot = wrong}});
  EXPECT_THROW(BuildControls(form, badRows), std::bad_cast);
}

}  // namespace
}  // namespace nexolant
