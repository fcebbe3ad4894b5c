#include "registry/t_registry.h"

#include <utility>

namespace nexolant {

using platform::KeyBase;
using platform::RegistryAccess;
using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

// True for a path of one or more non-empty names. The registry treats an empty name as the
// key it starts from, so deleting along such a path could empty a whole root.
bool HasOnlyNonEmptyNames(const std::string& path) {
  return !path.empty() && path.front() != '\\' && path.back() != '\\' &&
         path.find("\\\\") == std::string::npos;
}

std::string Quoted(const std::string& name) {
  return "'" + name + "'";
}

}  // namespace

void TRegistry::SetRootKey(RegistryRoot root) {
  if (root != root_) {
    root_ = root;
    CloseKey();
  }
}

TRegistry::Location TRegistry::Resolve(std::string_view path) const {
  if (!path.empty() && path.front() == '\\') {
    return {root_, std::string(path.substr(1))};
  }
  if (currentKey_) {
    return {*currentKey_, std::string(path)};
  }
  return {root_, std::string(path)};
}

platform::Outcome TRegistry::OpenKey(std::string_view path, bool canCreate) {
  const Location where = Resolve(path);
  return Replace(canCreate && !where.path.empty()
                     ? registry_->CreateKey(where.base, where.path, access_)
                     : registry_->OpenKey(where.base, where.path, access_, links_));
}

platform::Outcome TRegistry::Replace(platform::OpenedKey opened) {
  if (!opened) {
    return platform::Outcome::Failure(opened.error);
  }
  currentKey_ = std::move(opened.key);
  return {};
}

platform::Outcome TRegistry::ProbeKey(std::string_view path) {
  const Location where = Resolve(path);
  const platform::OpenedKey opened =
      registry_->OpenKey(where.base, where.path, RegistryAccess::kRead, links_);
  return opened ? platform::Outcome{} : platform::Outcome::Failure(opened.error);
}

void TRegistry::GetKeyNames(StringList& names) {
  names.clear();
  if (currentKey_) {
    names = registry_->SubkeyNames(*currentKey_);
  }
}

platform::Outcome TRegistry::OpenKeyExact(const platform::WideString& path) {
  return Replace(registry_->OpenKeyWide(root_, path, access_, links_));
}

platform::SubkeyNameForms TRegistry::GetKeyNameForms() {
  return currentKey_ ? registry_->SubkeyNamesInBothForms(*currentKey_)
                     : platform::SubkeyNameForms{};
}

platform::Outcome TRegistry::DeleteKey(std::string_view path) {
  const Location where = Resolve(path);
  return DeleteTree(where.base, where.path);
}

platform::Outcome TRegistry::DeleteTree(KeyBase base, const std::string& path) {
  if (!HasOnlyNonEmptyNames(path)) {
    return platform::Outcome::Failure(platform::kErrorInvalidParameter);
  }
  if (const platform::OpenedKey key = registry_->OpenKey(base, path, RegistryAccess::kFull)) {
    const StringList names = registry_->SubkeyNames(*key);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
      // A subkey that stays keeps the key itself, whose outcome is the one returned.
      platform::BestEffort(DeleteTree(*key, *name));
    }
  }
  return registry_->DeleteKey(base, path);
}

bool TRegistry::ValueExists(const std::string& name) {
  return currentKey_ && registry_->ValueExists(*currentKey_, name);
}

std::string TRegistry::ReadString(const std::string& name) {
  if (!currentKey_) {
    return {};
  }
  const RegistryValue value = registry_->ReadValue(*currentKey_, name);
  switch (value.status) {
    case RegistryValue::Status::kMissing:
      return {};
    case RegistryValue::Status::kUnreadable:
      throw RegistryError("Failed to get data for " + Quoted(name));
    case RegistryValue::Status::kFound:
      break;
  }
  if (value.data.empty()) {
    return {};
  }
  if (value.type != platform::kRegString && value.type != platform::kRegExpandString) {
    throw RegistryError("Invalid data type for " + Quoted(name));
  }
  return value.data.substr(0, value.data.find('\0'));
}

void TRegistry::WriteString(const std::string& name, const platform::WideString& text) {
  if (!currentKey_ || !registry_->WriteString(*currentKey_, name, text).ok) {
    throw RegistryError("Failed to set data for " + Quoted(name));
  }
}

platform::Outcome TRegistry::DeleteValue(const std::string& name) {
  return currentKey_ ? registry_->DeleteValue(*currentKey_, name)
                     : platform::Outcome::Failure(platform::kErrorInvalidParameter);
}

std::string HiveName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case RegistryRoot::kCurrentUser:
      return "HKEY_CURRENT_USER";
    case RegistryRoot::kLocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::kUsers:
      break;
  }
  return {};
}

RegistryRoot HiveRoot(std::string_view name) {
  if (name == "HKEY_CURRENT_USER") {
    return RegistryRoot::kCurrentUser;
  }
  if (name == "HKEY_LOCAL_MACHINE") {
    return RegistryRoot::kLocalMachine;
  }
  return RegistryRoot::kClassesRoot;
}

}  // namespace nexolant
