#include "protection/protection_policy.h"

#include <memory>
#include <optional>

#include "protection/protected_names.h"
#include "reference/signature_list.h"

namespace nexolant::protection {

ProtectionPolicy::ProtectionPolicy(const ProtectionServices& services)
    : locale_(services.locale),
      ownProcessId_(services.ownProcessId),
      processes_(services.processes),
      evidence_(services.evidence),
      files_(services.files, services.locale),
      keys_(services.locale),
      entries_(services.registry, services.files, files_) {
  for (const std::string_view name : ProtectedProcessNames()) {
    processNames_.insert(SignatureUpperCase(name, locale_));
  }
  for (const std::string_view name : WindowsOwnNames()) {
    std::string upper = SignatureUpperCase(name, locale_);
    if (upper.ends_with(".EXE")) {
      windowsPrograms_.insert(std::move(upper));
    }
  }
}

bool ProtectionPolicy::IsProtectedProcess(std::string_view name, std::uint32_t processId) const {
  return processId == ownProcessId_ || IsProtectedProcessName(name) ||
         ImageVouched(name, processId);
}

// A listing by path names the image; a snapshot gives only its name, and the process is asked.
bool ProtectionPolicy::ImageVouched(std::string_view name, std::uint32_t processId) const {
  if (name.find_first_of("\\/:") != std::string_view::npos) {
    return Vouched(NormalPath(name));
  }
  const std::unique_ptr<platform::OpenedProcess> process = processes_.OpenProcess(
      platform::kProcessQueryInformation | platform::kProcessVmRead, processId);
  const std::optional<std::string> image = process ? process->ExecutablePath() : std::nullopt;
  return image && Vouched(NormalPath(*image));
}

// The system's word costs a read of the whole file, so it comes after every check by place and
// name, and only for what a name matched.
bool ProtectionPolicy::Vouched(const std::string& normal) const {
  return !normal.empty() && evidence_.WindowsVouchesFor(platform::Path(normal));
}

bool ProtectionPolicy::IsProtectedProcessName(std::string_view name) const {
  // A listing by path gives the executable's full path: Windows' other programs count where
  // Windows keeps them, as its files do.
  const std::size_t separator = name.find_last_of("\\/:");
  if (separator == std::string_view::npos) {
    const std::string upper = SignatureUpperCase(name, locale_);
    return processNames_.contains(upper) || windowsPrograms_.contains(upper);
  }
  return processNames_.contains(SignatureUpperCase(name.substr(separator + 1), locale_)) ||
         files_.Classify(name) != PathProtection::kNone;
}

bool ProtectionPolicy::IsProtectedKey(std::string_view path) const {
  if (keys_.IsProtected(path)) {
    return true;
  }
  const std::optional<KeyProtection::Canonical> key = keys_.Canonicalize(path);
  return !key || entries_.IsWindowsOwnEntry(*key);
}

PathProtection ProtectionPolicy::ProtectionOf(std::string_view path) const {
  const PathProtection protection = files_.Classify(path);
  if (protection != PathProtection::kNone) {
    return protection;
  }
  return Vouched(NormalPath(path)) ? PathProtection::kSystemName : PathProtection::kNone;
}

bool ProtectionPolicy::IsProtectedBelow(const WalkStart& start, std::string_view names) const {
  return files_.ClassifyBelow(start, names) != PathProtection::kNone ||
         (!start.normal.empty() && Vouched(files_.Form().Below(start.normal, names)));
}

std::string ProtectionPolicy::NormalPath(std::string_view path) const {
  return files_.Form().Normal(path);
}

bool ProtectionPolicy::IsSameOrInsideFolder(std::string_view path, std::string_view folder) const {
  const PathForm& form = files_.Form();
  const std::string pathKey = form.Key(form.Normal(path));
  const std::string folderKey = form.Key(form.Normal(folder));
  return !pathKey.empty() && !folderKey.empty() && IsSameOrInside(pathKey, folderKey);
}

std::string ProtectionPolicy::ProgramFolder() const {
  return files_.ProgramFolder();
}

}  // namespace nexolant::protection
