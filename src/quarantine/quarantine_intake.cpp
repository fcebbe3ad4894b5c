#include <string_view>

#include "platform/errors.h"
#include "quarantine/quarantine_files.h"
#include "quarantine/quarantine_page.h"

namespace nexolant {
namespace {

// A default no stored value can equal: values never hold a line break.
constexpr std::string_view kNoEntry = "\n";

}  // namespace

void QuarantinePage::BeginIntake() {
  intake_ = std::make_unique<TBigIniFile>(Ini(), IndexPath());
  intakeFailed_ = false;
}

// Once the index could not be written, no further file is moved during this repair: it would
// have no entry on the disk.
IntakeResult QuarantinePage::TakeIn(const std::string& name, const std::string& folder,
                                    const std::string& description) {
  if (intakeFailed_ || !IsPlainFileName(name) ||
      !TBigIniFile::Storable(kFilesSection, name, folder)) {
    return {};
  }
  const std::string target = QuarantinedPath(name);
  if (intake_->ReadString(kFilesSection, name, kNoEntry) != kNoEntry ||
      services_.files.FileAttributes(target)) {
    return {.errorCode = platform::kErrorAlreadyExists};
  }
  if (!services_.files.FolderExists(FolderPath())) {
    services_.files.CreateFolder(FolderPath());
  }
  intake_->WriteString(kFilesSection, name, folder);
  intake_->Flush();
  if (intake_->Changed()) {
    intake_->DeleteKey(kFilesSection, name);
    intakeFailed_ = true;
    return {};
  }
  if (!services_.files.Move(folder + "\\" + name, target)) {
    const std::uint32_t code = services_.files.LastError();
    intake_->DeleteKey(kFilesSection, name);
    intake_->Flush();
    return {.errorCode = code};
  }
  Quarantine_->Add(name, {description, folder});
  return {.quarantined = true};
}

void QuarantinePage::EndIntake() {
  intake_.reset();
}

void QuarantinePage::ShowRepairSummary() {
  ShowCount("There are ");
  EnableEmpty();
}

}  // namespace nexolant
