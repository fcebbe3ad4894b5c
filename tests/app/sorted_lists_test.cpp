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

// The monitor's and the quarantine's lists keep themselves in word-sort order: case breaks
// only a tie, lower case first, and a hyphen counts only after case.
TEST_F(MainFormTest, TheMonitorAndQuarantineListsSortLikeWordSort) {
  TMainForm& form = Create();
  for (ui::ListView* list :
       {&form.ActiveMonitoring().ProcessList(), &form.Quarantine().Quarantine()}) {
    for (const char* name : {"abd", "ABC", "abc", "Abc", "ab-c"}) {
      list->Add(name);
    }
    EXPECT_EQ(Captions(*list), (std::vector<std::string>{"abc", "ab-c", "Abc", "ABC", "abd"}))
        << list->Name();
  }
}

}  // namespace
}  // namespace nexolant
