// The Update dialog of a build with a key, end to end over the real services: the loopback
// server's HTTP, the program folder's real files and the system's cryptography checking
// nexref's records. A newer file is taken, a replayed older one is refused with its reason,
// and the undo puts the old bytes back; the undone version is refused after that.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>
#include <string>

#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/scoped_folder.h"
#include "support/scripted_backend.h"
#include "support/signed_update_files.h"
#include "ui/application.h"
#include "update/update_form.h"
#include "win32/loopback_http_server.h"
#include "win32/win32_clock.h"
#include "win32/win32_downloader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_locale.h"

namespace nexolant::win32 {
namespace {

using nexolant::testing::ScopedFolder;

TEST(UpdateDialogOverHttpTest, TakesANewerFileRefusesAReplayAndUndoes) {
  const std::string path = "/updates/adware/reference.dat";
  const std::string signedFile(testing::SignedReference());
  LoopbackHttpServer server(
      {{path, {200, signedFile}}, {path + ".ver", {200, std::string(testing::RecordV5())}}},
      std::chrono::seconds(120));
  const ScopedFolder folder;
  const std::string old = testing::EncipherReference("[ScanFiles]\r\nOLD.EXE=Old\r\n");
  folder.Put("Reference.dat", old);
  folder.Put("Reference.ver", "installed=7 2025-02-01\r\nhighest=7\r\n");
  Win32FileSystem files;
  Win32Downloader downloader(std::chrono::seconds(20));
  Win32Clock clock;
  const Win32Locale locale;
  RecordingWarnings warnings;
  ScriptedBackend backend;
  ui::Application application(backend);
  const auto dialog = [&](const std::function<void(TUpdateForm&)>& script) {
    TUpdateForm form(application,
                     {.files = files,
                      .downloader = downloader,
                      .clock = clock,
                      .locale = locale,
                      .warnings = warnings,
                      .updateKey = testing::TestUpdateKey()},
                     server.Url(path), folder.Prefix());
    backend.QueueModal([&](ui::Form& shown) { script(dynamic_cast<TUpdateForm&>(shown)); });
    application.ShowModal(form);
  };
  const std::string refused = std::string(TUpdateForm::FailureText()) +
                              "\nThe reference file on the server is not newer than yours.";

  dialog([&](TUpdateForm& form) {
    EXPECT_EQ(form.lblVersion().Caption(),
              "Reference file: version 7 of " + locale.FormatDate(platform::DateOf(2025, 2, 1)));
    ASSERT_TRUE(backend.Click(form.btnUpdate()));
    EXPECT_EQ(backend.Messages().back().text, refused) << "the replay of version 5";
    EXPECT_EQ(folder.Get("Reference.dat"), old);

    server.SetResponse(path + ".ver", {200, std::string(testing::RecordV8())});
    ASSERT_TRUE(backend.Click(form.btnUpdate()));
    EXPECT_EQ(backend.Messages().back().caption, "Update Complete");
    EXPECT_EQ(folder.Get("Reference.dat"), signedFile);
    EXPECT_EQ(form.lblVersion().Caption(),
              "Reference file: version 8 of " + locale.FormatDate(platform::DateOf(2025, 3, 1)));
    ASSERT_TRUE(form.btnUndo().Visible());
    backend.QueueAnswer(ui::MessageResult::kYes);
    ASSERT_TRUE(backend.Click(form.btnUndo()));
    EXPECT_EQ(backend.Messages().back().caption, "Undo Complete");
    EXPECT_EQ(form.btnUpdate().Caption(), "Finish");
  });
  EXPECT_EQ(folder.Get("Reference.dat"), old) << "byte for byte";

  dialog([&](TUpdateForm& form) {
    EXPECT_FALSE(form.btnUndo().Visible());
    ASSERT_TRUE(backend.Click(form.btnUpdate()));
    EXPECT_EQ(backend.Messages().back().text, refused) << "the undone version 8";
  });
  EXPECT_EQ(folder.Get("Reference.dat"), old);
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"Reference.dat", "Reference.ver"}));
  EXPECT_TRUE(warnings.Shown().empty());
}

}  // namespace
}  // namespace nexolant::win32
