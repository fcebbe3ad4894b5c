#include <cstdint>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "main_form_fixture.h"

namespace nexolant {
namespace {

std::vector<std::string> Captions(const ui::ListView& list) {
  std::vector<std::string> captions;
  for (const ui::ListItem& item : list.Items()) {
    captions.push_back(item.caption);
  }
  return captions;
}

// The monitor's and the quarantine's lists show their models' rows in the models' word-sort
// order: case breaks only a tie, lower case first, and a hyphen counts only after case. Each
// row stands at its entry's index in the model, which Terminate and Restore act on.
TEST_F(MainFormTest, TheMonitorAndQuarantineListsShowTheirModelsInWordSortOrder) {
  std::string index = "[Files]\r\n";
  std::uint32_t id = 100;
  for (const char* name : {"abd", "ABC", "abc", "Abc", "ab-c"}) {
    index += std::string(name) + "=C:\\A\r\n";
    processes_.Add(id++, std::string("C:\\A\\") + name);
  }
  files_.AddFile(std::string(kFolder) + "Quarantine.ini", index);
  PutReference("[ScanFiles]\nA.EXE=Bad\n");
  TMainForm& form = Create();
  form.Monitor().EnableMonitoring();

  const std::vector<std::string> sorted{"abc", "ab-c", "Abc", "ABC", "abd"};
  std::vector<std::string> monitored;
  for (const MonitorRow& row : form.Monitor().Rows()) {
    monitored.push_back(row.name);
  }
  std::vector<std::string> quarantined;
  for (const QuarantineEntry& entry : form.QuarantineFiles().Entries()) {
    quarantined.push_back(entry.name);
  }
  EXPECT_EQ(monitored, sorted);
  EXPECT_EQ(quarantined, sorted);
  EXPECT_EQ(Captions(form.ActiveMonitoring().ProcessList()), sorted);
  EXPECT_EQ(Captions(form.Quarantine().Quarantine()), sorted);
}

}  // namespace
}  // namespace nexolant
