#include "ui/application.h"

#include <gtest/gtest.h>

namespace nexolant::ui {
namespace {

TEST(ErrorReportText, AppendsAPeriodOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorReportText("Invalid mask"), "Invalid mask.");
  EXPECT_EQ(ErrorReportText("Done."), "Done.");
  EXPECT_EQ(ErrorReportText("Why?"), "Why?.");
  EXPECT_EQ(ErrorReportText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorReportText("path\\"), "path\\.");
  EXPECT_EQ(ErrorReportText(""), "");
}

}  // namespace
}  // namespace nexolant::ui
