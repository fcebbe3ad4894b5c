#include "app/page_table.h"

#include <array>

namespace nexolant {
namespace {

struct PageRow {
  const char* caption;
  const char* title;
};

constexpr std::array<PageRow, kPageCount> kPages{{
    {"Status", "Nexolant Status"},
    {"ScanNow", "Preparing system scan"},
    {"ActiveMonitoring", "Active monitoring"},
    {"Quarantine", "Quarantine"},
    {"Settings", "Settings"},
    {"Details", "Reference file details"},
    {"Scanning", "Scanning..."},
    {"Report", "Report"},
}};

}  // namespace

const char* PageCaption(MainPage page) {
  return kPages.at(page).caption;
}

const char* PageTitle(MainPage page) {
  return kPages.at(page).title;
}

}  // namespace nexolant
