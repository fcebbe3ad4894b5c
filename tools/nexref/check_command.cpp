#include "nexref/check_command.h"

#include <utility>
#include <vector>

#include "nexref/reference_review.h"
#include "platform/string_list.h"
#include "platform/temp_file_remover.h"
#include "reference/crypt.h"
#include "reference/crypt_file.h"
#include "reference/hash_signatures.h"
#include "reference/reference_loader.h"

namespace nexolant::nexref {
namespace {

std::size_t KeyCount(TBigIniFile& store, std::string_view section) {
  StringList keys;
  store.ReadSection(section, keys);
  return keys.size();
}

void PrintTotals(const SignatureTotals& totals, const platform::Locale& locale, std::ostream& out) {
  out << "Total adware signatures: " << locale.FormatCount(totals.adware) << "\n"
      << "Total process signatures: " << locale.FormatCount(totals.process) << "\n"
      << "Total registry signatures: " << locale.FormatCount(totals.registry) << "\n"
      << "Total signatures: " << locale.FormatCount(totals.Total()) << "\n"
      << "Total hash signatures: " << locale.FormatCount(totals.hash) << "\n";
}

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Prints the findings and a count line; returns the number of errors.
std::size_t PrintFindings(const std::string& referenceFile,
                          const std::vector<ReviewFinding>& findings, std::ostream& err) {
  std::size_t errors = 0;
  for (const ReviewFinding& finding : findings) {
    const bool error = finding.severity == Severity::kError;
    errors += error ? 1 : 0;
    err << referenceFile;
    if (finding.line != 0) {
      err << ":" << finding.line;
    }
    err << (error ? ": error: " : ": warning: ") << finding.text << "\n";
  }
  const std::size_t warnings = findings.size() - errors;
  if (errors != 0) {
    err << "nexref: " << Counted(errors, "error")
        << (warnings != 0 ? ", " + Counted(warnings, "warning") : "") << "\n";
  } else if (warnings != 0) {
    err << "nexref: " << Counted(warnings, "warning") << "\n";
  }
  return errors;
}

}  // namespace

SignatureTotals CountSignatures(TBigIniFile& store) {
  SignatureTotals totals;
  totals.adware = KeyCount(store, "ScanFiles");
  totals.process = KeyCount(store, "OtherKill") + totals.adware;
  totals.registry = KeyCount(store, "Registry");
  StringList hashLines;
  store.ReadSectionValues(kFileHashesSection, hashLines);
  totals.hash = HashSignatures::FromLines(hashLines).size();
  return totals;
}

int RunCheck(const std::string& referenceFile, std::ostream& out, std::ostream& err,
             const NexrefServices& services) {
  platform::FileSystem& files = services.files;
  if (!files.FileExists(referenceFile)) {
    err << "nexref: cannot find the file " << referenceFile << "\n";
    return kExitError;
  }
  const platform::Path plainFile = NewTempFileName(files);
  const platform::TempFileRemover remover(files, plainFile);
  if (!DecipherFile(files, referenceFile, plainFile, ShippedReferenceKey())) {
    err << "nexref: " << referenceFile << " is not in the appropriate format\n";
    return kExitError;
  }
  SignatureTotals totals;
  {
    TBigIniFile store(IniServices{.files = files,
                                  .locale = services.locale,
                                  .pump = services.pump,
                                  .warnings = services.warnings},
                      plainFile);
    totals = CountSignatures(store);
  }
  const std::vector<ReviewFinding> findings =
      ReviewReferenceText(files.ReadWholeFile(plainFile), services.locale);
  PrintTotals(totals, services.locale, out);
  return PrintFindings(referenceFile, findings, err) == 0 ? kExitOk : kExitError;
}

}  // namespace nexolant::nexref
