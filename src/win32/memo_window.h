#pragma once

#include "ui/memo.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// A Memo: a multi-line EDIT holding the model's lines.
class MemoWindow : public ControlWindow {
 public:
  MemoWindow(RenderContext& context, ui::Memo& memo, HWND parent);

  void Apply(ui::Property property) override;
  void ApplyAll() override;
  HBRUSH OnColor(HDC dc) override;

 private:
  static DWORD StyleOf(const ui::Memo& memo);

  ui::Memo* memo_;
};

}  // namespace nexolant::win32
