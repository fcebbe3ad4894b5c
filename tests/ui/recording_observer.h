#pragma once

#include <vector>

#include "ui/control.h"
#include "ui/control_observer.h"
#include "ui/list_view.h"

namespace nexolant::ui {

// An observer that records every notification, for tests of the model.
class RecordingObserver : public ControlObserver {
 public:
  struct Change {
    const Control* control;
    Property property;
    bool operator==(const Change&) const = default;
  };
  struct RowChange {
    const ListView* list;
    ListChange::Kind kind;
    int index;
    bool operator==(const RowChange&) const = default;
  };

  void ControlChanged(Control& control, Property property) override {
    changes.push_back({&control, property});
  }
  void ListChanged(ListView& list, const ListChange& change) override {
    rowChanges.push_back({&list, change.kind, change.index});
  }

  int Count(const Control& control, Property property) const {
    int count = 0;
    for (const Change& change : changes) {
      count += change.control == &control && change.property == property ? 1 : 0;
    }
    return count;
  }
  void Clear() {
    changes.clear();
    rowChanges.clear();
  }

  std::vector<Change> changes;
  std::vector<RowChange> rowChanges;
};

}  // namespace nexolant::ui
