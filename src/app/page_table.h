#pragma once

namespace nexolant {

// The notebook's pages, by index.
enum MainPage : int {
  kStatusPage = 0,
  kScanNowPage = 1,
  kActiveMonitoringPage = 2,
  kQuarantinePage = 3,
  kSettingsPage = 4,
  kDetailsPage = 5,
  kScanningPage = 6,
  kReportPage = 7,
  kPageCount = 8,
};

// The page's caption in the notebook.
const char* PageCaption(MainPage page);
// The text lblStatus shows over the page.
const char* PageTitle(MainPage page);

}  // namespace nexolant
