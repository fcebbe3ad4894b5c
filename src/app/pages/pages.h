#pragma once

#include "platform/locale.h"
#include "ui/notebook.h"

namespace nexolant {

// The controls of each page of the main window's notebook, with their designed captions and
// states. The locale orders the lists that keep themselves sorted.
using PageBuilder = void (*)(ui::NotebookPage& page, const platform::Locale& locale);

void BuildStatusPage(ui::NotebookPage& page, const platform::Locale& locale);
void BuildScanNowPage(ui::NotebookPage& page, const platform::Locale& locale);
void BuildActiveMonitoringPage(ui::NotebookPage& page, const platform::Locale& locale);
void BuildQuarantinePage(ui::NotebookPage& page, const platform::Locale& locale);
void BuildSettingsPage(ui::NotebookPage& page, const platform::Locale& locale);
void BuildDetailsPage(ui::NotebookPage& page, const platform::Locale& locale);
void BuildScanningPage(ui::NotebookPage& page, const platform::Locale& locale);
void BuildReportPage(ui::NotebookPage& page, const platform::Locale& locale);

}  // namespace nexolant
