// The web update on any body and version record a server could send: the body is taken only
// when it is a usable reference file and, in a build with a key, only with a record of exactly
// its bytes, signed by the key, of a version above the highest taken before; then exactly as
// sent, with the replaced file kept, which the undo puts back byte for byte. Otherwise
// Reference.dat and its record keep every byte. Writes may fail part of the way and downloads
// may break off. No temporary file is ever left.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_downloader.h"
#include "fakes/memory_file_system.h"
#include "nexref/ec_keys.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "platform/signature_verifier.h"
#include "reference/reference_check.h"
#include "reference/version_record.h"
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/stopped_clock.h"
#include "update/installed_versions.h"
#include "update/reference_install.h"
#include "update/reference_update.h"

namespace {

// The key pair of this run: the build's key and the one its server signs with.
const nexolant::nexref::KeyPairPem& Keys() {
  static const nexolant::nexref::KeyPairPem keys = nexolant::nexref::GenerateKeyPair();
  return keys;
}

// The first byte chooses the case: bit 0 enciphers the body (otherwise it is sent as it is,
// like a garbage page), bit 1 breaks the download off half-way, bit 2 lets the file system fail
// after as many bytes as the second byte times 64, bit 3 builds the program with a key, bit 4
// serves a real signed record of the body, of the version in the fourth byte, instead of the
// input's record bytes. The fifth byte is the highest version taken before. The third byte is
// the length of the record bytes, which follow the fifth; the rest is the body.
struct Case {
  bool encipher = false;
  bool breakOff = false;
  bool failWrites = false;
  bool keyed = false;
  std::size_t writeBudget = 0;
  std::int32_t highest = 1;
  std::string record;
  std::string body;
};

Case Decode(const std::uint8_t* data, std::size_t size) {
  Case result;
  constexpr std::size_t kHeader = 5;
  if (size < kHeader) {
    return result;
  }
  result.encipher = data[0] & 1;
  result.breakOff = data[0] & 2;
  result.failWrites = data[0] & 4;
  result.keyed = data[0] & 8;
  result.writeBudget = std::size_t{data[1]} * 64;
  result.highest = std::max(1, int{data[4]});
  const std::size_t recordSize = std::min<std::size_t>(data[2], size - kHeader);
  result.record.assign(reinterpret_cast<const char*>(data + kHeader), recordSize);
  const std::string rest(reinterpret_cast<const char*>(data + kHeader + recordSize),
                         size - kHeader - recordSize);
  result.body = result.encipher ? nexolant::testing::EncipherReference(rest) : rest;
  if (data[0] & 16) {
    const nexolant::ReferenceVersion version{.number = std::max(1, int{data[3]}),
                                             .date = {2025, 3, 1}};
    const nexolant::platform::Sha256Digest digest =
        *nexolant::platform::SystemSignatureVerifier().Sha256(result.body);
    result.record = nexolant::VersionRecordText(
        version, digest,
        nexolant::nexref::SignData(Keys().privatePem,
                                   nexolant::VersionRecordSignedText(version, digest)));
  }
  return result;
}

// Whether record is a record of body signed with key, of a version above highest.
bool IsNewerSignedRecord(std::string_view key, const std::string& record, const std::string& body,
                         std::int32_t highest) {
  const nexolant::ParsedVersionRecord parsed = nexolant::ParseVersionRecord(record);
  const nexolant::platform::SignatureVerifier& verifier =
      nexolant::platform::SystemSignatureVerifier();
  return parsed.problem == nexolant::VersionRecordProblem::kNone &&
         verifier.Verify(
             key, nexolant::VersionRecordSignedText(parsed.record.version, parsed.record.sha256),
             parsed.record.signature) &&
         verifier.Sha256(body) == parsed.record.sha256 && parsed.record.version.number > highest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nexolant::platform::Cp1252Locale locale;
  static nexolant::platform::IdlePump pump;
  const std::string folder = "C:\\Program Files\\Nexolant\\";
  const std::string reference = folder + "Reference.dat";
  const std::string recordFile = folder + nexolant::kInstalledRecordName;
  const std::string url = "http://update.example/updates/adware/reference.dat";
  const std::string old = nexolant::testing::EncipherReference("[ScanFiles]\r\nOLD.EXE=Old\r\n");
  const nexolant::ReferenceVersion shipped{.number = 1, .date = {2025, 1, 15}};

  const Case input = Decode(data, size);
  const std::string_view key = input.keyed ? std::string_view(Keys().publicPem) : "";
  const std::string installed = "installed=" + std::to_string(input.highest) +
                                " 2025-02-01\r\nhighest=" + std::to_string(input.highest) + "\r\n";
  nexolant::MemoryFileSystem files;
  files.SetTempFolder("C:\\Temp\\");
  files.AddFile(reference, old);
  files.AddFile(recordFile, installed);
  nexolant::FakeDownloader downloader(files);
  if (input.breakOff) {
    downloader.ServePartly(url, input.body.substr(0, input.body.size() / 2),
                           nexolant::FakeDownloader::kWriteFailed);
  } else {
    downloader.Serve(url, input.body);
  }
  downloader.Serve(url + ".ver", input.record);
  if (input.failWrites) {
    files.FailWritesAfter(input.writeBudget);
  }
  nexolant::testing::StoppedClock clock{46000.5};
  nexolant::RecordingWarnings warnings;
  const bool taken = nexolant::UpdateReferenceFile({.files = files,
                                                    .downloader = downloader,
                                                    .clock = clock,
                                                    .locale = locale,
                                                    .warnings = warnings,
                                                    .updateKey = key,
                                                    .shipped = shipped},
                                                   url, folder)
                         .updated;
  files.AllowWrites();

  const std::string now = files.Contents(reference).value_or("<gone>");
  if (taken) {
    if (input.breakOff || now != input.body ||
        !nexolant::IsUsableReferenceFile(
            {.files = files, .clock = clock, .locale = locale, .pump = pump, .warnings = warnings},
            reference) ||
        (input.keyed && !IsNewerSignedRecord(key, input.record, input.body, input.highest))) {
      std::abort();
    }
    // One step back gives the old bytes, and the floor stays where the update put it.
    const nexolant::InstalledVersions after =
        nexolant::ReadInstalledVersions(files, folder, shipped);
    if (after.previousKept) {
      if (!nexolant::UndoLastUpdate(files, folder, after) || files.Contents(reference) != old ||
          nexolant::ReadInstalledVersions(files, folder, shipped).highest != after.highest) {
        std::abort();
      }
    }
  } else if (now != old || files.Contents(recordFile) != installed) {
    std::abort();
  }
  for (const std::string& name : files.Names(folder)) {
    if (name != "Reference.dat" && name != nexolant::kInstalledRecordName &&
        name != nexolant::kPreviousReferenceName) {
      std::abort();
    }
  }
  if (!files.Names("C:\\Temp\\").empty()) {
    std::abort();
  }
  return 0;
}
