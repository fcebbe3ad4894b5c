#pragma once

#include "app/status_page.h"
#include "settings/usage_statistics.h"
#include "ui/form.h"
#include "ui/notebook.h"

namespace nexolant {

// A Status page on a form of its own that shows the statistics as the main window does.
class ShownStatistics {
 public:
  ShownStatistics(UsageStatistics& statistics, const platform::Locale& locale)
      : statistics_(statistics),
        page_(form_.Add<ui::Notebook>("Notebook").AddPage("Status"), locale) {
    statistics_.OnChanged = [this](StatisticsField field) {
      page_.ShowStatistic(field, statistics_.Values());
    };
  }
  ~ShownStatistics() { statistics_.OnChanged = nullptr; }
  ShownStatistics(const ShownStatistics&) = delete;
  ShownStatistics& operator=(const ShownStatistics&) = delete;

  StatusPage& Page() { return page_; }

 private:
  UsageStatistics& statistics_;
  ui::Form form_{"MainForm"};
  StatusPage page_;
};

}  // namespace nexolant
