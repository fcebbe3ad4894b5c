#include "reference/reference_loader.h"

#include <utility>

#include "ini/big_ini_file.h"
#include "platform/errors.h"
#include "platform/temp_file_remover.h"
#include "reference/crypt.h"
#include "reference/crypt_file.h"

namespace nexolant {
namespace {

constexpr std::uint32_t kGreen = 0x008000;
constexpr std::uint32_t kRed = 0xFF0000;

void AddFailureText(StringList& details, const char* firstReason, const char* secondReason) {
  details.push_back("Reference file NOT loaded.");
  details.push_back(std::string(26, '-'));
  details.push_back(firstReason);
  details.push_back(secondReason);
}

// Cuts each "key=value" line down to its value; a line without "=" stays whole.
void CutToValues(StringList& lines) {
  for (std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) {
      line.erase(0, equals + 1);
    }
  }
}

}  // namespace

ReferenceStatusLook StatusLookFor(ReferenceOutcome outcome) {
  switch (outcome) {
    case ReferenceOutcome::kLoaded:
      return {"Reference file has been loaded successfully", "Status OK", kGreen, true, true};
    case ReferenceOutcome::kFileNotFound:
      return {"Reference file NOT loaded. Unable to find file.", "Status NOT OK", kRed, true,
              false};
    case ReferenceOutcome::kFormatIncorrect:
      return {"Reference file NOT loaded. File format incorrect.", "Status NOT OK", kRed, true,
              false};
  }
  return {};
}

platform::Path NewTempFileName(platform::FileSystem& files) {
  const platform::Path folder = files.TempFolder();
  try {
    return files.CreateTempFile(folder, "abc");
  } catch (const platform::SystemError& error) {
    throw platform::SystemError(error.code(),
                                std::string("GetTempFileName API failed.") + error.what());
  }
}

std::int32_t FileSizeByName(platform::FileSystem& files, const platform::Path& name) {
  const std::optional<platform::FindData> found = files.FindFirst(name);
  if (!found) {
    return 0;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(found->size));
}

ReferenceOutcome LoadReference(const ReferenceServices& services,
                               const platform::Path& programFolder, SignatureTables& tables,
                               StringList& details, const NameSample& tooBroad) {
  return LoadReferenceFile(services, programFolder + "Reference.dat", tables, details, tooBroad);
}

ReferenceOutcome LoadReferenceFile(const ReferenceServices& services, const platform::Path& path,
                                   SignatureTables& tables, StringList& details,
                                   const NameSample& tooBroad) {
  const platform::Locale& locale = services.locale;
  details.clear();

  if (!services.files.FileExists(path)) {
    AddFailureText(details, "The reference file REFERENCE.DAT does not exist",
                   "in program directory.");
    return ReferenceOutcome::kFileNotFound;
  }

  const platform::Path tempName = NewTempFileName(services.files);
  const platform::TempFileRemover remover(services.files, tempName);
  if (!DecipherFile(services.files, path, tempName, ShippedReferenceKey())) {
    AddFailureText(details, "The reference file REFERENCE.DAT is not in", "the appropiate format.");
    return ReferenceOutcome::kFormatIncorrect;
  }

  TBigIniFile store(IniServices{.files = services.files,
                                .locale = locale,
                                .pump = services.pump,
                                .warnings = services.warnings},
                    tempName);
  details.push_back("Reference file loaded at: " + locale.FormatDateTime(services.clock.Now()));
  details.push_back(std::string(47, '-'));
  details.push_back("");
  details.push_back("File location: " + path.ansi);
  details.push_back("");

  StringList scanFileNames;
  store.ReadSection("ScanFiles", scanFileNames);
  store.ReadSectionValues("ScanFiles", tables.ScanFileDescriptions);
  tables.ScanFileNames.Assign(scanFileNames, locale);
  details.push_back("Total adware signatures: " + locale.FormatCount(tables.ScanFileNames.size()));

  StringList processNames;
  store.ReadSection("OtherKill", processNames);
  store.ReadSectionValues("OtherKill", tables.ProcessDescriptions);
  processNames.insert(processNames.end(), scanFileNames.begin(), scanFileNames.end());
  tables.ProcessDescriptions.insert(tables.ProcessDescriptions.end(),
                                    tables.ScanFileDescriptions.begin(),
                                    tables.ScanFileDescriptions.end());
  tables.ProcessNames.Assign(std::move(processNames), locale);
  details.push_back("Total process signatures: " + locale.FormatCount(tables.ProcessNames.size()));

  StringList registryNames;
  store.ReadSection("Registry", registryNames);
  store.ReadSectionValues("Registry", tables.RegistryDescriptions);
  tables.RegistryNames.Assign(std::move(registryNames), locale);
  details.push_back("Total registry signatures: " +
                    locale.FormatCount(tables.RegistryNames.size()));

  // A malformed line is passed over and the others hold; nexref check and the update name it.
  StringList hashLines;
  store.ReadSectionValues(kFileHashesSection, hashLines);
  tables.FileHashes = HashSignatures::FromLines(hashLines);

  MarkTooBroadPatterns(tables, tooBroad);

  CutToValues(tables.ScanFileDescriptions);
  CutToValues(tables.ProcessDescriptions);
  CutToValues(tables.RegistryDescriptions);

  const std::size_t total =
      tables.ScanFileNames.size() + tables.RegistryNames.size() + tables.ProcessNames.size();
  details.push_back("Total signatures: " + locale.FormatCount(total));
  details.push_back("");
  details.push_back("Total size: " + locale.FormatCount(FileSizeByName(services.files, path)) +
                    " bytes");
  return ReferenceOutcome::kLoaded;
}

}  // namespace nexolant
