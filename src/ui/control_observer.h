#pragma once

#include "ui/property.h"

namespace nexolant::ui {

class Control;
class ListView;

// One change to the rows of a ListView. The selection moves with its row, as in a native
// list; after kReordered and kCleared re-read ListView::ItemIndex().
struct ListChange {
  enum class Kind {
    kInserted,   // a row was inserted at index
    kDeleted,    // the row at index was removed
    kChanged,    // the texts or the image of the row at index changed
    kCleared,    // every row was removed
    kReordered,  // the rows were replaced; re-read them all
  };
  Kind kind;
  int index = -1;
};

// The renderer's view of the model: told of every change, after it has happened, once per
// change, and never when a setter leaves the value as it was. Set on a form by the backend
// when it realises the form; it covers the form and every control on it.
class ControlObserver {
 public:
  virtual ~ControlObserver() = default;

  virtual void ControlChanged(Control& control, Property property) = 0;
  virtual void ListChanged(ListView& list, const ListChange& change) = 0;
};

}  // namespace nexolant::ui
