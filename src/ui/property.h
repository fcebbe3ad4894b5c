#pragma once

namespace nexolant::ui {

// What changed on a control or a form; the renderer re-reads that property from the model.
enum class Property {
  // Every control, and the form itself.
  kBounds,
  kVisible,
  kEnabled,
  kCaption,
  kFont,
  kHint,
  kShowHint,
  kCursor,
  kColor,
  kTransparent,
  // Mouse-driven look of owner-drawn kinds (ImageButton, SpeedButton): Hot() and Pushed().
  kHot,
  kPushed,
  // Label and LinkLabel.
  kAlignment,
  kAutoSize,
  kWordWrap,
  // Shape.
  kPenColor,
  // Image, Button and SpeedButton glyphs, ImageButton pictures, Form icon.
  kPicture,
  kCenter,
  // Bevel.
  kBevelShape,
  // Button.
  kDefault,
  kCancel,
  // ImageButton.
  kTransparentColor,
  kOpaque,
  // SpeedButton.
  kDown,
  kFlat,
  // CheckBox and RadioButton.
  kChecked,
  // ComboBox and ListView.
  kItems,
  kItemIndex,
  // ListView (rows are reported through ControlObserver::ListChanged).
  kColumns,
  kUpdating,
  kCheckBoxes,
  kMultiSelect,
  kReadOnly,
  // Memo.
  kLines,
  kScrollBars,
  // Notebook.
  kPageIndex,
  // Form.
  kBorderStyle,
  kBorderIcons,
  kPosition,
  kModalResult,
};

}  // namespace nexolant::ui
