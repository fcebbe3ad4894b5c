#include "repair/startup_repair.h"

#include <string>

#include "registry/registration_file.h"
#include "registry/string_value.h"
#include "repair/key_quarantine.h"
#include "repair/key_removal.h"

namespace nexolant {
namespace {

constexpr EntryRepairResult kGone{};
const EntryRepairResult kKept{.kept = true};

EntryRepairResult Stayed(std::uint32_t error) {
  return {.stayed = true, .error = error};
}

std::string LastName(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

// The program the value names now: a Run value's command, a toolbar's class.
std::string ProgramOfValue(const StartupRepairServices& services, const Finding& finding,
                           const platform::ValueReadResult& value) {
  const protection::EntryProtection& entries = services.protection.Entries();
  if (finding.entry.kind == StartupKind::kBrowserHelper) {
    return entries.ClassProgram(finding.row.Caption);
  }
  const std::optional<platform::WideString> text = StringValueText(value.type, value.bytes);
  return text ? entries.ProgramOf(services.registry.AnsiSpelling(*text)) : std::string();
}

EntryRepairResult RepairValue(const StartupRepairServices& services, QuarantineStore& store,
                              const Finding& finding, bool quarantine) {
  const StartupEntry& entry = finding.entry;
  platform::Registry& registry = services.registry;
  const platform::WideString keyPath = registry.WideSpelling(entry.keyPath);
  const platform::OpenedKey key =
      registry.OpenKeyWide(entry.root, keyPath, platform::RegistryAccess::kFull,
                           platform::LinkHandling::kOpenLinkItself);
  if (!key) {
    return key.error == platform::kErrorFileNotFound ? kGone : Stayed(key.error);
  }
  const platform::ValueReadResult value = registry.ReadValueWide(*key, entry.valueName);
  if (value.error != 0) {
    return value.error == platform::kErrorFileNotFound ? kGone : Stayed(value.error);
  }
  if (services.protection.Entries().IsWindowsProgram(ProgramOfValue(services, finding, value))) {
    return kKept;
  }
  std::optional<std::string> save;
  if (quarantine) {
    const std::size_t slash = keyPath.rfind(u'\\');
    SavedKey key{.root = entry.root, .parentPath = keyPath.substr(0, slash), .tree = {}};
    key.tree.name = keyPath.substr(slash + 1);
    key.tree.values.push_back({.name = entry.valueName, .type = value.type, .bytes = value.bytes});
    const RegistrationWriteResult saved = WriteRegistrationFile(key);
    if (saved.ok()) {
      save = store.TakeInSave({.bytes = saved.bytes,
                               .path = entry.keyFullPath + "\\" + finding.row.Caption,
                               .description = finding.row.Description,
                               .form = SaveForm::kValue});
    }
    if (!save) {
      return Stayed(0);
    }
  }
  const platform::Outcome deleted = registry.DeleteValueWide(*key, entry.valueName);
  if (!deleted) {
    return {.stayed = true, .error = deleted.error, .save = save.value_or("")};
  }
  return {.quarantined = quarantine, .deleted = !quarantine, .save = save.value_or("")};
}

EntryRepairResult RepairKey(const StartupRepairServices& services, QuarantineStore& store,
                            const Finding& finding, bool quarantine) {
  const StartupEntry& entry = finding.entry;
  if (services.protection.IsProtectedKey(entry.keyFullPath)) {
    return kKept;
  }
  std::function<void()> beforeDelete;
  if (entry.kind == StartupKind::kService) {
    // The manager removes the key of a service it deletes, and keeps a running one until it
    // stops; a service it does not know (one written to the registry only) is deleted as a key.
    beforeDelete = [&services, name = LastName(entry.keyPath)] {
      platform::BestEffort(services.serviceControl.Stop(name));
      platform::BestEffort(services.serviceControl.Delete(name));
    };
  }
  if (quarantine) {
    const KeyQuarantineResult result = QuarantineKey(
        services.registry, services.protection, store, entry.root, entry.keyPath,
        finding.row.Description,
        entry.kind == StartupKind::kService ? SaveForm::kService : SaveForm::kHelper, beforeDelete);
    return {.quarantined = result.quarantined,
            .stayed = !result.removed,
            .error = result.error,
            .save = result.save};
  }
  const KeyRemovalResult result = DeleteFoundKey(services.registry, services.protection, entry.root,
                                                 entry.keyPath, beforeDelete);
  return {.deleted = result.deleted && result.removed,
          .stayed = !result.removed,
          .error = result.error};
}

EntryRepairResult RepairTask(const StartupRepairServices& services, QuarantineStore& store,
                             const Finding& finding, bool quarantine) {
  const StartupEntry& entry = finding.entry;
  platform::ScheduledTasks& tasks = services.tasks;
  if (!tasks.Exists(entry.taskPath)) {
    return kGone;
  }
  if (entry.storedPassword) {
    return Stayed(0);
  }
  std::optional<std::string> save;
  if (quarantine) {
    const platform::TaskDefinitionResult definition = tasks.Definition(entry.taskPath);
    if (definition.error != 0 || definition.xml.empty()) {
      return Stayed(definition.error);
    }
    save = store.TakeInSave({.bytes = definition.xml,
                             .path = entry.taskPath,
                             .description = finding.row.Description,
                             .form = SaveForm::kTask});
    if (!save) {
      return Stayed(0);
    }
  }
  const platform::Outcome deleted = tasks.Delete(entry.taskPath);
  if (!deleted) {
    return {.stayed = true, .error = deleted.error, .save = save.value_or("")};
  }
  return {.quarantined = quarantine, .deleted = !quarantine, .save = save.value_or("")};
}

}  // namespace

EntryRepairResult RepairStartupEntry(const StartupRepairServices& services, QuarantineStore& store,
                                     const Finding& finding, bool quarantine) {
  const StartupEntry& entry = finding.entry;
  if (entry.isValue) {
    return RepairValue(services, store, finding, quarantine);
  }
  switch (entry.kind) {
    case StartupKind::kService:
    case StartupKind::kBrowserHelper:
      return RepairKey(services, store, finding, quarantine);
    case StartupKind::kScheduledTask:
      return RepairTask(services, store, finding, quarantine);
    case StartupKind::kRunValue:
    case StartupKind::kStartupFile:
      break;
  }
  return kGone;
}

}  // namespace nexolant
