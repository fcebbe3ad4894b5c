// The web update on any body a server could send: the body is taken only when it is a usable
// reference file, and then exactly as sent; otherwise Reference.dat keeps every byte. Writes
// may fail part of the way and downloads may break off. No temporary file is ever left. A
// build with a key takes a body only when the signature beside it verifies, whatever bytes it
// holds.
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
#include "support/encipher_reference.h"
#include "support/recording_warnings.h"
#include "support/stopped_clock.h"
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
// serves a real signature of the body instead of the input's signature bytes. The third byte
// is the length of those signature bytes, which follow it; the rest is the body.
struct Case {
  bool encipher = false;
  bool breakOff = false;
  bool failWrites = false;
  bool keyed = false;
  std::size_t writeBudget = 0;
  std::string signature;
  std::string body;
};

Case Decode(const std::uint8_t* data, std::size_t size) {
  Case result;
  if (size < 3) {
    return result;
  }
  result.encipher = data[0] & 1;
  result.breakOff = data[0] & 2;
  result.failWrites = data[0] & 4;
  result.keyed = data[0] & 8;
  result.writeBudget = std::size_t{data[1]} * 64;
  const std::size_t signatureSize = std::min<std::size_t>(data[2], size - 3);
  result.signature.assign(reinterpret_cast<const char*>(data + 3), signatureSize);
  const std::string rest(reinterpret_cast<const char*>(data + 3 + signatureSize),
                         size - 3 - signatureSize);
  result.body = result.encipher ? nexolant::testing::EncipherReference(rest) : rest;
  if (data[0] & 16) {
    result.signature = nexolant::nexref::SignData(Keys().privatePem, result.body);
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nexolant::platform::Cp1252Locale locale;
  static nexolant::platform::IdlePump pump;
  const std::string folder = "C:\\Program Files\\Nexolant\\";
  const std::string reference = folder + "Reference.dat";
  const std::string url = "http://update.example/updates/adware/reference.dat";
  const std::string old = nexolant::testing::EncipherReference("[ScanFiles]\r\nOLD.EXE=Old\r\n");

  const Case input = Decode(data, size);
  const std::string_view key = input.keyed ? std::string_view(Keys().publicPem) : "";
  nexolant::MemoryFileSystem files;
  files.SetTempFolder("C:\\Temp\\");
  files.AddFile(reference, old);
  nexolant::FakeDownloader downloader(files);
  if (input.breakOff) {
    downloader.ServePartly(url, input.body.substr(0, input.body.size() / 2),
                           nexolant::FakeDownloader::kWriteFailed);
  } else {
    downloader.Serve(url, input.body);
  }
  downloader.Serve(url + ".sig", input.signature);
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
                                                    .updateKey = key},
                                                   url, folder);
  files.AllowWrites();

  const std::string now = files.Contents(reference).value_or("<gone>");
  if (taken) {
    if (input.breakOff || now != input.body ||
        !nexolant::IsUsableReferenceFile(
            {.files = files, .clock = clock, .locale = locale, .pump = pump, .warnings = warnings},
            reference) ||
        (input.keyed &&
         !nexolant::platform::SystemSignatureVerifier().Verify(key, input.body, input.signature))) {
      std::abort();
    }
  } else if (now != old) {
    std::abort();
  }
  if (files.Names(folder) != std::vector<std::string>{"Reference.dat"} ||
      !files.Names("C:\\Temp\\").empty()) {
    std::abort();
  }
  return 0;
}
