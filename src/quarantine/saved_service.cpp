#include "quarantine/saved_service.h"

#include <optional>

#include "platform/ascii.h"
#include "registry/string_value.h"
#include "registry/t_registry.h"
#include "startup/startup_places.h"

namespace nexolant {
namespace {

std::optional<std::string> TextValue(const KeyTree& key, std::string_view name,
                                     platform::Registry& registry) {
  for (const TreeValue& value : key.values) {
    if (platform::AsciiEqualNoCase(registry.AnsiSpelling(value.name), name)) {
      const std::optional<platform::WideString> text = StringValueText(value.type, value.bytes);
      return text ? std::optional(registry.AnsiSpelling(*text)) : std::nullopt;
    }
  }
  return std::nullopt;
}

std::string SavedProgram(const KeyTree& tree, platform::Registry& registry,
                         const protection::EntryProtection& entries) {
  const std::optional<std::string> image = TextValue(tree, "ImagePath", registry);
  if (!image) {
    return {};
  }
  const std::string program = entries.ProgramOf(*image);
  if (!platform::AsciiUpperCase(program).ends_with("\\SVCHOST.EXE")) {
    return program;
  }
  std::optional<std::string> library;
  for (const KeyTree& subkey : tree.subkeys) {
    if (platform::AsciiEqualNoCase(registry.AnsiSpelling(subkey.name), "Parameters")) {
      library = TextValue(subkey, "ServiceDll", registry);
    }
  }
  if (!library) {
    library = TextValue(tree, "ServiceDll", registry);
  }
  return library ? entries.ProgramOf(*library) : std::string();
}

}  // namespace

bool RestorableService(const SavedKey& saved, platform::Registry& registry,
                       const protection::EntryProtection& entries) {
  const std::string parent = HiveName(saved.root) + "\\" + registry.AnsiSpelling(saved.parentPath);
  return platform::AsciiEqualNoCase(parent, std::string("HKEY_LOCAL_MACHINE\\") + kServicesKey) &&
         !entries.IsWindowsProgram(SavedProgram(saved.tree, registry, entries));
}

}  // namespace nexolant
