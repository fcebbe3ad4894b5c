#include "scan/scan_fixture.h"

#include <memory>
#include <utility>

#include "ui/check_box.h"

namespace nexolant {

void ChangeLog::ControlChanged(ui::Control& control, ui::Property property) {
  const std::string& name = control.Name();
  switch (property) {
    case ui::Property::kCaption:
      entries.push_back(name + "=" + control.Caption());
      break;
    case ui::Property::kFont:
      entries.push_back(name + (control.Font().color == ui::colors::kRed ? " red" : " navy"));
      break;
    case ui::Property::kVisible:
      entries.push_back(name + (control.Visible() ? " shown" : " hidden"));
      break;
    case ui::Property::kEnabled:
      entries.push_back(name + (control.Enabled() ? " enabled" : " disabled"));
      break;
    default:
      break;
  }
}

void ChangeLog::ListChanged(ui::ListView& list, const ui::ListChange& change) {
  if (change.kind == ui::ListChange::Kind::kInserted) {
    entries.push_back(list.Name() + " row");
  }
}

std::vector<std::string> ChangeLog::Of(std::string_view name) const {
  std::vector<std::string> found;
  for (const std::string& entry : entries) {
    if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
        (entry[name.size()] == '=' || entry[name.size()] == ' ')) {
      found.push_back(entry.substr(name.size() + 1));
    }
  }
  return found;
}

void ScanTest::Start(std::string_view reference) {
  PutReference(reference);
  Create();
  form_->SetObserver(&log_);
}

std::vector<std::string> ScanTest::Rows() const {
  std::vector<std::string> rows;
  for (const ui::ListItem& item : Report().Items()) {
    rows.push_back(item.caption + "|" + item.subItems.at(0) + "|" + item.subItems.at(1));
  }
  return rows;
}

void ScanTest::RunScan(const char* mode) {
  ASSERT_TRUE(backend_.Click(Control("ScanBtn")));
  if (!Get<ui::RadioButton>(mode).Checked()) {
    ASSERT_TRUE(backend_.Click(Control(mode)));
  }
  ASSERT_TRUE(backend_.Click(Control("btnNext")));
}

void ScanTest::Choose(const std::string& folder) {
  folderBrowser_.QueueChoice(folder);
  ASSERT_TRUE(backend_.Click(Control("ScanBtn")));
  ASSERT_TRUE(backend_.Click(Control("lblSelect")));
}

void ScanTest::ScanFolder(const std::string& folder) {
  Choose(folder);
  RunScan();
}

void ScanTest::WhenPumped(std::function<bool()> condition, std::function<void()> action) {
  backend_.RunAtPump(backend_.PumpCount() + 1, [this, condition, action] {
    if (condition()) {
      action();
    } else {
      WhenPumped(condition, action);
    }
  });
}

void ScanTest::StopWhenShowing(std::string prefix) {
  WhenPumped(
      [this, prefix] {
        return PageIndex() == kScanningPage &&
               Label("lblCurrentFile").Caption().starts_with(prefix);
      },
      [this] { backend_.Click(StopButton()); });
}

}  // namespace nexolant
