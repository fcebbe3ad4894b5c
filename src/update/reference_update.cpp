#include "update/reference_update.h"

#include "platform/portable/idle_pump.h"
#include "platform/temp_file_remover.h"
#include "reference/reference_check.h"
#include "update/download_file.h"

namespace nexolant {

// The download and its check pump no messages: the dialog waits for them as a whole.
bool UpdateReferenceFile(const ReferenceUpdateServices& services, const std::string& url,
                         const std::string& programFolder) {
  try {
    const std::string temp = services.files.CreateTempFile(programFolder, "nxu");
    const platform::TempFileRemover remover(services.files, temp);
    if (!DownloadFile(services.downloader, url, temp)) {
      return false;
    }
    platform::IdlePump pump;
    if (!IsUsableReferenceFile(
            {services.files, services.clock, services.locale, pump, services.warnings}, temp)) {
      return false;
    }
    services.files.ReplaceWholeFile(programFolder + "Reference.dat",
                                    services.files.ReadWholeFile(temp));
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace nexolant
