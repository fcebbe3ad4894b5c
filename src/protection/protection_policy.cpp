#include "protection/protection_policy.h"

#include "protection/protected_names.h"
#include "reference/signature_list.h"

namespace nexolant::protection {

ProtectionPolicy::ProtectionPolicy(const ProtectionServices& services)
    : locale_(services.locale),
      ownProcessId_(services.ownProcessId),
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
  return processId == ownProcessId_ || IsProtectedProcessName(name);
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
  return files_.Classify(path);
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
