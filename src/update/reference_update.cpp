#include "update/reference_update.h"

#include <optional>

#include "platform/temp_file_remover.h"
#include "reference/reference_check.h"
#include "update/download_file.h"
#include "update/update_acceptance.h"

namespace nexolant {
namespace {

// The signature file at url, through a temporary file in folder.
std::optional<std::string> FetchSignature(const ReferenceUpdateServices& services,
                                          const std::string& url, const platform::Path& folder) {
  const platform::Path temp = services.files.CreateTempFile(folder, kSignatureTempPrefix);
  const platform::TempFileRemover remover(services.files, temp);
  if (!DownloadFile(services.downloader, url, temp, kMaxSignatureFileSize)) {
    return std::nullopt;
  }
  return services.files.ReadWholeFile(temp);
}

}  // namespace

// The downloads and the checks pump no messages: the dialog waits for them as a whole.
bool UpdateReferenceFile(const ReferenceUpdateServices& services, const std::string& url,
                         const platform::Path& programFolder) {
  try {
    const platform::Path temp = services.files.CreateTempFile(programFolder, kUpdateTempPrefix);
    const platform::TempFileRemover remover(services.files, temp);
    if (!DownloadFile(services.downloader, url, temp, kMaxReferenceFileSize)) {
      return false;
    }
    std::optional<std::string> signature;
    if (!services.updateKey.empty()) {
      signature = FetchSignature(services, url + ".sig", programFolder);
      if (!signature) {
        return false;
      }
    }
    const std::string contents = services.files.ReadWholeFile(temp);
    if (!IsAcceptableUpdate(services, temp, contents, signature)) {
      return false;
    }
    services.files.ReplaceWholeFile(programFolder + "Reference.dat", contents);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace nexolant
