#include "update/update_form.h"

#include <functional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/main_form_fixture.h"
#include "support/signed_update_files.h"
#include "update/installed_versions.h"
#include "update/update_url.h"

namespace nexolant {
namespace {

const char* const kStartupReference = "[ScanFiles]\r\nOLD.EXE=The old file\r\n";
const std::string kNewReference = EncipherReference("[ScanFiles]\r\nNEW.EXE=New\r\n");

class UpdateFormTest : public MainFormTest {
 protected:
  void SetUp() override {
    PutReference(kStartupReference);
    Create();
  }

  std::string ReferenceDat() const {
    return files_.Contents(std::string(kFolder) + "Reference.dat").value_or("(none)");
  }

  // Opens the dialog from a control of the main window and runs script inside it.
  void OpenFrom(const char* control, std::function<void(TUpdateForm&)> script) {
    backend_.QueueModal([script](ui::Form& form) { script(dynamic_cast<TUpdateForm&>(form)); });
    ASSERT_TRUE(backend_.Click(Control(control)));
    ASSERT_EQ(backend_.Modals().size(), 2u) << "the splash, then the dialog";
  }

  struct Look {
    std::string text;
    std::string updateCaption;
    bool updateEnabled;
    bool cancelEnabled;
    bool operator==(const Look&) const = default;
  };
  static Look LookOf(const TUpdateForm& form) {
    return {form.lblUpdate().Caption(), form.btnUpdate().Caption(), form.btnUpdate().Enabled(),
            form.btnCancel().Enabled()};
  }
  static Look Ready() { return {TUpdateForm::ReadyText(), "Update", true, true}; }
  // A modal dialog that closes ends its modal loop with a result.
  static bool Closed(const TUpdateForm& form) {
    return form.ModalResult() != ui::ModalResult::kNone;
  }

  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const RecordedMessage& box : backend_.Messages()) {
      boxes.push_back(box.caption + ": " + box.text);
    }
    return boxes;
  }
};

TEST_F(UpdateFormTest, IsTheSmallFixedDialogWithItsTexts) {
  OpenFrom("btnUpdate", [](TUpdateForm& form) {
    EXPECT_EQ(form.Caption(), "Update");
    EXPECT_EQ(form.ClientWidth(), 437);
    EXPECT_EQ(form.ClientHeight(), 128);
    EXPECT_EQ(form.BorderStyle(), ui::BorderStyle::kDialog);
    EXPECT_EQ(form.BorderIcons(),
              (ui::BorderIcons{.systemMenu = true, .minimize = false, .maximize = false}));
    EXPECT_EQ(form.Position(), ui::FormPosition::kScreenCenter);
    EXPECT_EQ(LookOf(form), Ready());
    EXPECT_EQ(form.lblUpdate().Bounds(), (ui::Rect{48, 56, 370, 26}));
    EXPECT_TRUE(form.lblUpdate().WordWrap());
    EXPECT_EQ(form.btnUpdate().Bounds(), (ui::Rect{336, 96, 89, 24}));
    EXPECT_EQ(form.btnCancel().Bounds(), (ui::Rect{240, 96, 89, 24}));
    EXPECT_EQ(Named<ui::Label>(form, "Label1").Caption(), "Web Update");
    EXPECT_EQ(Named<ui::Label>(form, "Label2").Caption(), "Status:");
  });
}

// Success: the information box, then Finish; the running program keeps what it loaded.
TEST_F(UpdateFormTest, ASuccessfulUpdateEndsWithFinishAndChangesNothingThatRuns) {
  downloader_.Serve(ReferenceUpdateUrl(), kNewReference);
  const StringList details = Get<ui::Memo>("DetailsMemo").Lines();
  bool closedAfterFinish = false;
  OpenFrom("btnUpdate", [&](TUpdateForm& form) {
    downloader_.RunDuringNextDownload([&] {
      EXPECT_EQ(LookOf(form), (Look{"Downloading from the Internet...", "Update", false, false}));
      // The close box and Escape do nothing now.
      application_.RequestClose(form);
      EXPECT_FALSE(backend_.Click(form.btnCancel()));
      EXPECT_TRUE(form.btnCancel().Cancel());
    });
    // A close queued during the download reaches the form inside the box's loop.
    backend_.QueueWhileBoxShown([&] { application_.RequestClose(form); });
    ASSERT_TRUE(backend_.Click(form.btnUpdate()));
    EXPECT_FALSE(Closed(form));
    EXPECT_EQ(LookOf(form), (Look{TUpdateForm::SuccessText(), "Finish", true, false}));
    ASSERT_TRUE(backend_.Click(form.btnUpdate()));
    closedAfterFinish = Closed(form);
  });
  EXPECT_TRUE(closedAfterFinish);
  EXPECT_EQ(Boxes(), std::vector<std::string>{std::string("Update Complete: ") +
                                              TUpdateForm::SuccessText()});
  EXPECT_EQ(backend_.Messages()[0].icon, ui::MessageIcon::kInformation);
  EXPECT_EQ(ReferenceDat(), kNewReference);
  EXPECT_EQ(form_->Tables().ScanFileNames.Patterns(), StringList{"OLD.EXE"});
  EXPECT_EQ(Get<ui::Memo>("DetailsMemo").Lines(), details);
}

// Failure, from the Status page's link: the warning, then the dialog as it opened; a second
// Update tries again.
TEST_F(UpdateFormTest, AFailedUpdateWarnsAndCanBeTriedAgain) {
  const std::string old = ReferenceDat();
  OpenFrom("lblCheckUpdates", [&](TUpdateForm& form) {
    backend_.QueueWhileBoxShown([&] { application_.RequestClose(form); });
    ASSERT_TRUE(backend_.Click(form.btnUpdate()));
    EXPECT_FALSE(Closed(form));
    EXPECT_EQ(LookOf(form), Ready());
    EXPECT_EQ(ReferenceDat(), old);
    downloader_.Serve(ReferenceUpdateUrl(), kNewReference);
    ASSERT_TRUE(backend_.Click(form.btnUpdate()));
    EXPECT_EQ(LookOf(form), (Look{TUpdateForm::SuccessText(), "Finish", true, false}));
  });
  ASSERT_EQ(Boxes(), (std::vector<std::string>{
                         std::string("Warning: ") + TUpdateForm::FailureText(),
                         std::string("Update Complete: ") + TUpdateForm::SuccessText()}));
  EXPECT_EQ(backend_.Messages()[0].icon, ui::MessageIcon::kExclamation);
  EXPECT_EQ(backend_.Messages()[0].buttons, ui::MessageButtons::kOk);
  EXPECT_EQ(downloader_.Requests().size(), 2u);
  EXPECT_EQ(ReferenceDat(), kNewReference);
}

TEST_F(UpdateFormTest, CancelAndTheCloseBoxCloseItBeforeAndAfterADownload) {
  const std::string old = ReferenceDat();
  bool closed = false;
  OpenFrom("btnUpdate", [&](TUpdateForm& form) {
    ASSERT_TRUE(backend_.Click(form.btnCancel()));
    closed = Closed(form);
  });
  EXPECT_TRUE(closed);
  EXPECT_TRUE(downloader_.Requests().empty());
  EXPECT_EQ(ReferenceDat(), old);

  downloader_.Serve(ReferenceUpdateUrl(), kNewReference);
  backend_.QueueModal([&](ui::Form& form) {
    auto& update = dynamic_cast<TUpdateForm&>(form);
    ASSERT_TRUE(backend_.Click(update.btnUpdate()));
    application_.RequestClose(update);
    closed = Closed(update);
  });
  ASSERT_TRUE(backend_.Click(Control("btnUpdate")));
  EXPECT_TRUE(closed) << "the close box closes the finished dialog";
}

// A build with a key, through the dialog: the installed version in its own label, a replayed
// older file refused with its reason on a line of its own, a newer one taken, and one step back
// (that the undone version stays refused: update_dialog_test.cpp under Wine).
TEST_F(UpdateFormTest, ShowsTheVersionRefusesAReplayTakesANewerOneAndUndoesIt) {
  const std::string old = ReferenceDat();
  const std::string folder = kFolder;
  files_.AddFile(folder + kInstalledRecordName, "installed=7 2025-02-01\r\nhighest=7\r\n");
  const std::string url = "http://update.example/updates/adware/reference.dat";
  const std::string reference(testing::SignedReference());
  downloader_.Serve(url, reference);
  const auto dated = [&](int number, int month) {
    return "Reference file: version " + std::to_string(number) + " of " +
           locale_.FormatDate(platform::DateOf(2025, month, 1));
  };
  const auto dialog = [&](std::function<void(TUpdateForm&)> script) {
    TUpdateForm form(application_,
                     {.files = files_,
                      .downloader = downloader_,
                      .clock = clock_,
                      .locale = locale_,
                      .warnings = application_,
                      .updateKey = testing::TestUpdateKey()},
                     url, folder);
    backend_.QueueModal([script](ui::Form& shown) { script(dynamic_cast<TUpdateForm&>(shown)); });
    application_.ShowModal(form);
  };
  dialog([&](TUpdateForm& form) {
    EXPECT_EQ(form.lblVersion().Caption(), dated(7, 2));
    EXPECT_EQ(form.lblVersion().Bounds(), (ui::Rect{160, 40, 268, 14}));
    EXPECT_FALSE(form.btnUndo().Visible()) << "no file is kept yet";
    downloader_.Serve(url + ".ver", std::string(testing::RecordV5()));
    ASSERT_TRUE(backend_.Click(form.btnUpdate()));
    EXPECT_EQ(LookOf(form), Ready());
    EXPECT_EQ(ReferenceDat(), old);

    downloader_.Serve(url + ".ver", std::string(testing::RecordV8()));
    ASSERT_TRUE(backend_.Click(form.btnUpdate()));
    EXPECT_EQ(LookOf(form), (Look{TUpdateForm::SuccessText(), "Finish", true, false}));
    EXPECT_EQ(form.lblVersion().Caption(), dated(8, 3));
    EXPECT_EQ(ReferenceDat(), reference);
    ASSERT_TRUE(form.btnUndo().Visible());
    EXPECT_EQ(form.btnUndo().Bounds(), (ui::Rect{48, 96, 136, 24}));
    EXPECT_EQ(form.btnUndo().Caption(), "Undo last update");

    backend_.QueueAnswer(ui::MessageResult::kNo);
    ASSERT_TRUE(backend_.Click(form.btnUndo()));
    EXPECT_EQ(ReferenceDat(), reference) << "No keeps the new file";
    backend_.QueueAnswer(ui::MessageResult::kYes);
    ASSERT_TRUE(backend_.Click(form.btnUndo()));
    EXPECT_EQ(LookOf(form), (Look{TUpdateForm::UndoneText(), "Finish", true, false}));
    EXPECT_EQ(form.lblVersion().Caption(), dated(7, 2));
    EXPECT_FALSE(form.btnUndo().Visible());
  });
  EXPECT_EQ(ReferenceDat(), old) << "the bytes as they were";
  const std::string question =
      "Warning: Put back the reference file you had before the last update (" +
      dated(7, 2).substr(16) + ")? The file it replaces cannot be taken again: only a newer one.";
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         std::string("Warning: ") + TUpdateForm::FailureText() +
                             "\nThe reference file on the server is not newer than yours.",
                         std::string("Update Complete: ") + TUpdateForm::SuccessText(), question,
                         question, std::string("Undo Complete: ") + TUpdateForm::UndoneText()}));
}

}  // namespace
}  // namespace nexolant
