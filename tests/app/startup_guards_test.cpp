#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_form_fixture.h"

namespace nexolant {
namespace {

// A main window whose guarded steps record their turn and fail on request.
class StepRecordingForm : public TMainForm {
 public:
  StepRecordingForm(AppServices services, std::vector<std::string>& steps, bool fail)
      : TMainForm(std::move(services)), steps_(steps), fail_(fail) {}

  bool HasLists() const { return ListsCreated(); }

 protected:
  void LoadStatistics() override { Step("statistics"); }
  void RebuildQuarantineList() override { Step(ListsCreated() ? "quarantine" : "no lists"); }
  void SaveStatistics() override { Step("save"); }

 private:
  void Step(const std::string& name) {
    steps_.push_back(name);
    if (fail_) {
      throw std::runtime_error(name + " failed");
    }
  }

  std::vector<std::string>& steps_;
  bool fail_;
};

class StartupGuardsTest : public MainFormTest {
 protected:
  StepRecordingForm& CreateRecording(bool fail) {
    auto form = std::make_unique<StepRecordingForm>(Services(), steps_, fail);
    StepRecordingForm& created = *form;
    form_ = std::move(form);
    return created;
  }
  std::vector<std::string> steps_;
};

TEST_F(StartupGuardsTest, FailingGuardedStepsStopNeitherTheReferenceLoadNorTheOtherSteps) {
  PutReference("[ScanFiles]\nA.EXE=Bad\n");
  CreateRecording(/*fail=*/true);
  application_.Run(*form_);

  EXPECT_EQ(steps_, (std::vector<std::string>{"statistics", "quarantine", "save"}));
  EXPECT_FALSE(static_cast<StepRecordingForm&>(*form_).HasLists())
      << "the lists are freed although saving the statistics failed";
  EXPECT_EQ(Label("lblFileStatus").Caption(), "Status OK");
  EXPECT_EQ(Get<ui::Memo>("DetailsMemo").Lines().size(), 11u);
  EXPECT_TRUE(backend_.Messages().empty()) << "guarded failures are swallowed silently";
}

TEST_F(StartupGuardsTest, AFailedReferenceLoadSkipsTheQuarantineRebuildButNotTheShutdown) {
  PutReference("[ScanFiles]\nA.EXE=Bad\n");
  files_.FailTempFiles();
  CreateRecording(/*fail=*/false);
  application_.Run(*form_);

  EXPECT_EQ(steps_, (std::vector<std::string>{"statistics", "save"}));
  EXPECT_EQ(backend_.Messages().size(), 1u);
}

}  // namespace
}  // namespace nexolant
