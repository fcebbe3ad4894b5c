#include "update/reference_update.h"

#include <optional>

#include "platform/temp_file_remover.h"
#include "reference/reference_check.h"
#include "update/download_file.h"
#include "update/installed_versions.h"
#include "update/reference_install.h"
#include "update/update_acceptance.h"

namespace nexolant {
namespace {

// The version record at url, through a temporary file in folder, or why there is none.
struct FetchedRecord {
  std::optional<std::string> text{};
  UpdateRefusal refusal = UpdateRefusal::kNone;
};

FetchedRecord FetchRecord(const ReferenceUpdateServices& services, const std::string& url,
                          const platform::Path& folder) {
  const platform::Path temp = services.files.CreateTempFile(folder, kRecordTempPrefix);
  const platform::TempFileRemover remover(services.files, temp);
  const platform::Outcome fetched =
      services.downloader.DownloadToFile(url, temp, kMaxVersionRecordSize);
  if (!fetched) {
    return {.refusal = fetched.error == platform::kDownloadTooLarge ? UpdateRefusal::kRecordDamaged
                                                                    : UpdateRefusal::kNoRecord};
  }
  return {.text = services.files.ReadWholeFile(temp)};
}

}  // namespace

// The downloads and the checks pump no messages: the dialog waits for them as a whole.
UpdateResult UpdateReferenceFile(const ReferenceUpdateServices& services, const std::string& url,
                                 const platform::Path& programFolder) {
  try {
    const platform::Path temp = services.files.CreateTempFile(programFolder, kUpdateTempPrefix);
    const platform::TempFileRemover remover(services.files, temp);
    if (!DownloadFile(services.downloader, url, temp, kMaxReferenceFileSize)) {
      return {};
    }
    std::optional<std::string> record;
    if (!services.updateKey.empty()) {
      FetchedRecord fetched = FetchRecord(services, url + ".ver", programFolder);
      if (!fetched.text) {
        return {.refusal = fetched.refusal};
      }
      record = std::move(fetched.text);
    }
    const std::string contents = services.files.ReadWholeFile(temp);
    const InstalledVersions before =
        ReadInstalledVersions(services.files, programFolder, services.shipped);
    const Acceptance accepted = AcceptUpdate(services, temp, contents, record, before.highest);
    if (accepted.refusal != UpdateRefusal::kNone) {
      return {.refusal = accepted.refusal, .refusalLine = accepted.line};
    }
    InstallReference(services.files, programFolder, contents, accepted.version, before);
    return {.updated = true};
  } catch (...) {
    return {};
  }
}

}  // namespace nexolant
