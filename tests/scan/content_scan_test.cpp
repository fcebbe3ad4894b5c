#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_digest.h"
#include "platform/signature_verifier.h"
#include "quarantine/quarantine_world.h"
#include "scan/scan_fixture.h"

namespace nexolant {
namespace {

using Strings = std::vector<std::string>;

const std::string kKnown(3 * platform::kFileDigestChunk + 11, 'k');
const std::string kGood(kKnown.size(), 'g');

std::string HashLine(std::string_view content, std::string_view description) {
  return std::to_string(content.size()) + ":" +
         platform::Sha256Hex(*platform::SystemSignatureVerifier().Sha256(content)) + "=" +
         std::string(description);
}

// One file known by its name, one by its content.
std::string HashReference() {
  return "[ScanFiles]\nevil.exe=Evil file\n[OtherKill]\n[Registry]\n[FileHashes]\n" +
         HashLine(kKnown, "Known by content") + "\n";
}

class ContentScanTest : public ScanTest {};

// A renamed copy is found by its content and counted as a file identified; a file of its size
// and other content, a longer one and a name match whose content is known too are as before.
TEST_F(ContentScanTest, FindsFilesByContentWhateverTheirName) {
  files_.AddFile("C:\\Scan\\renamed.dat", kKnown);
  files_.AddFile("C:\\Scan\\Sub\\good.dat", kGood);
  files_.AddFile("C:\\Scan\\longer.dat", kKnown + "!");
  files_.AddFile("C:\\Scan\\evil.exe", kKnown);
  files_.AddFile("C:\\Scan\\empty.dat");
  Start(HashReference());
  SetRegistryScan(false);
  ScanFolder("C:\\Scan");
  EXPECT_EQ(Rows(),
            (Strings{"evil.exe|C:\\Scan|Evil file", "renamed.dat|C:\\Scan|Known by content"}));
  EXPECT_EQ(Label("lblFI").Caption(), "2");
  EXPECT_EQ(Label("lblOS").Caption(), "5");
  EXPECT_EQ(StopButton().Caption(), "Report");
  const std::string logs = std::string(kFolder) + "Logs\\";
  ASSERT_EQ(files_.Names(logs).size(), 1u);
  EXPECT_NE(files_.Contents(logs + files_.Names(logs)[0])
                ->find("; 1 adware, 0 process, 0 registry and 1 hash signatures\r\n"),
            std::string::npos)
      << "the scan log counts the hash signatures";
}

// Whatever its content, a protected file is never reported.
TEST_F(ContentScanTest, AProtectedFileIsNeverReportedWhateverItsContent) {
  files_.AddFile("C:\\Windows\\notepad.exe", kKnown);
  files_.AddFile("C:\\Windows\\WinSxS\\x86_part\\part.dll", kKnown);
  files_.AddFile("C:\\Windows\\Temp\\setup.tmp", kKnown);
  Start(HashReference());
  SetRegistryScan(false);
  RunScan("chkQuick");
  EXPECT_EQ(Rows(), Strings{"setup.tmp|C:\\Windows\\Temp|Known by content"});
}

// The file goes after its first piece was read: no row, and the scan goes on to its end.
TEST_F(ContentScanTest, AFileThatGoesWhileItIsHashedGivesNoRow) {
  files_.AddFile("C:\\Scan\\a.dat", kKnown);
  files_.AddFile("C:\\Scan\\b.dat", kKnown);
  Start(HashReference());
  SetRegistryScan(false);
  int pumpsShowingA = 0;
  // The name look-up pumps once, then each piece read.
  WhenPumped(
      [&] {
        return Label("lblCurrentFile").Caption() == "C:\\Scan\\a.dat" && ++pumpsShowingA == 2;
      },
      [&] { EXPECT_TRUE(files_.RemoveFile("C:\\Scan\\a.dat")); });
  ScanFolder("C:\\Scan");
  EXPECT_EQ(pumpsShowingA, 2);
  EXPECT_EQ(Rows(), Strings{"b.dat|C:\\Scan|Known by content"});
  EXPECT_EQ(Label("lblCurrentFile").Caption(), "Scan Complete.");
}

// A process whose name is unknown is found by its image's content, and Repair ends it by its id
// only: another process of its name, running another image, goes on.
TEST(ContentProcessTest, AProcessKnownByItsImageIsEndedByItsIdOnly) {
  QuarantineWorld world(HashReference());
  world.files.AddFile("C:\\Apps\\helper.exe", kKnown);
  world.files.AddFile("C:\\Other\\helper.exe", kGood);
  world.files.AddFile("C:\\Windows\\System32\\svchost.exe", kKnown);
  world.processes.Add(300, "C:\\Apps\\helper.exe");
  world.processes.Add(301, "C:\\Other\\helper.exe");
  world.processes.Add(302, "C:\\Windows\\System32\\svchost.exe");
  world.files.AddFolder("C:\\Empty");
  world.Start();
  world.ScanFolder("C:\\Empty");
  ASSERT_EQ(world.form->ScanFindings().Items().size(), 1u);
  const Finding& found = world.form->ScanFindings().Items()[0];
  EXPECT_EQ(found.row.Caption, "helper.exe");
  EXPECT_EQ(found.row.Location, "Memory");
  EXPECT_EQ(found.row.Description, "Known by content");
  EXPECT_EQ(found.processId, 300);
  EXPECT_EQ(world.Caption("lblPI"), "1");
  EXPECT_TRUE(world.Repair());
  EXPECT_EQ(world.processes.Terminated(), std::vector<std::uint32_t>{300});
}

}  // namespace
}  // namespace nexolant
