#pragma once

#include "ui/button.h"
#include "ui/speed_button.h"
#include "win32/control_window.h"

namespace nexolant::win32 {

// The base of the buttons the renderer draws itself: a BUTTON window with BS_OWNERDRAW
// (so that it still clicks on BM_CLICK, the space bar and a release inside) drawn from the
// model's state.
class OwnerDrawnButton : public ControlWindow {
 public:
  OwnerDrawnButton(RenderContext& context, ui::Control& control, HWND parent);

  void OnCommand(WORD code) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  virtual void Draw(HDC dc, const RECT& rect, bool focused) = 0;
  LRESULT HandleChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Draws a glyph (transparent where its bottom-left pixel's colour is) and the caption,
  // the glyph at left and the caption after it; both centred when centered.
  void DrawGlyphAndCaption(HDC dc, const RECT& rect, const std::string& glyph, bool centered);
};

// A push Button with an optional glyph.
class PushButtonWindow : public OwnerDrawnButton {
 public:
  PushButtonWindow(RenderContext& context, ui::Button& button, HWND parent);

 protected:
  void Draw(HDC dc, const RECT& rect, bool focused) override;

 private:
  ui::Button* button_;
};

// An ImageButton: sized to its normal picture, drawn from the picture for its state over
// what lies beneath, with the model's transparent colour.
class ImageButtonWindow : public OwnerDrawnButton {
 public:
  ImageButtonWindow(RenderContext& context, ui::ImageButton& button, HWND parent);

  void Apply(ui::Property property) override;

 protected:
  void Draw(HDC dc, const RECT& rect, bool focused) override;
  void ApplyBounds() override;

 private:
  ui::ImageButton* button_;
};

// A flat SpeedButton: raised under the mouse, sunken while down or held.
class SpeedButtonWindow : public OwnerDrawnButton {
 public:
  SpeedButtonWindow(RenderContext& context, ui::SpeedButton& button, HWND parent);

 protected:
  void Draw(HDC dc, const RECT& rect, bool focused) override;

 private:
  ui::SpeedButton* button_;
};

}  // namespace nexolant::win32
