#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace nexolant::ui {

// A flat push button with a glyph left of its caption. Buttons of one container with the
// same non-zero GroupIndex form an exclusive group with one group-wide AllowAllUp flag:
// - at most one button of the group is down; pressing one releases the others;
// - a click on a released button presses it, then runs OnClick;
// - a click on the pressed button keeps it down, or releases it when all-up is allowed, then
//   runs OnClick;
// - SetDown follows the same rules (the pressed button cannot be released while all-up is not
//   allowed) and runs no event.
// A button with GroupIndex 0 is never down.
class SpeedButton : public Control {
 public:
  SpeedButton(Container& parent, std::string name);

  const std::string& Glyph() const { return glyph_; }
  void SetGlyph(std::string glyph) { Update(glyph_, std::move(glyph), Property::kPicture); }
  bool Flat() const { return flat_; }
  void SetFlat(bool flat) { Update(flat_, flat, Property::kFlat); }

  int GroupIndex() const { return groupIndex_; }
  // Joining a group takes the group's AllowAllUp; a down button joining releases the others.
  void SetGroupIndex(int groupIndex);
  bool AllowAllUp() const { return allowAllUp_; }
  // Sets the flag on every button of the group.
  void SetAllowAllUp(bool allowAllUp);
  bool Down() const { return down_; }
  void SetDown(bool down);

  // The other buttons of this button's group, in creation order.
  std::vector<SpeedButton*> GroupMates() const;

 protected:
  bool ClickAction() override;

 private:
  void ReleaseGroupMates();

  std::string glyph_;
  bool flat_ = true;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
};

}  // namespace nexolant::ui
