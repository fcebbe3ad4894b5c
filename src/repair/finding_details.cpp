#include "repair/finding_details.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "platform/ascii.h"
#include "platform/file_digest.h"
#include "processes/process_list.h"
#include "registry/t_registry.h"

namespace nexolant {
namespace {

using platform::Publisher;

constexpr std::array<std::pair<std::uint32_t, const char*>, 6> kAttributeNames = {{
    {platform::kAttributeReadOnly, "Read-only"},
    {platform::kAttributeHidden, "Hidden"},
    {platform::kAttributeSystem, "System"},
    {platform::kAttributeDirectory, "Folder"},
    {platform::kAttributeArchive, "Archive"},
    {platform::kAttributeReparsePoint, "Link"},
}};

std::string AttributesText(std::uint32_t attributes) {
  std::string text;
  for (const auto& [bit, name] : kAttributeNames) {
    if ((attributes & bit) != 0) {
      text += text.empty() ? "" : ", ";
      text += name;
    }
  }
  return text.empty() ? "Normal" : text;
}

std::string DateText(const platform::Locale& locale, platform::DateTime when) {
  return when == 0 ? "Unknown" : locale.FormatDateTime(when);
}

// The last name of a path as a listing gives it, or the whole name.
std::string_view BaseName(std::string_view name) {
  const std::size_t separator = name.find_last_of("\\/:");
  return separator == std::string_view::npos ? name : name.substr(separator + 1);
}

std::vector<std::string> FileFacts(const FindingDetailsServices& services, const Finding& finding,
                                   platform::MessagePump* pump) {
  const ReportRow& row = finding.row;
  const platform::Path path =
      finding.exact.Empty()
          ? platform::Path(row.Location + "\\" + row.Caption)
          : services.files.FromExact(finding.exact.folder + "\\" + finding.exact.name);
  std::vector<std::string> lines{"Path: " + path.ansi};
  const std::optional<platform::FindData> entry = services.files.FindFirst(path);
  if (!entry) {
    lines.emplace_back("It is no longer there.");
    return lines;
  }
  const bool folder = (entry->attributes & platform::kAttributeDirectory) != 0;
  if (!folder) {
    lines.push_back("Size: " + services.locale.FormatCount(static_cast<std::int64_t>(entry->size)) +
                    " bytes");
  }
  lines.push_back("Created: " + DateText(services.locale, entry->created));
  lines.push_back("Modified: " + DateText(services.locale, entry->modified));
  lines.push_back("Attributes: " + AttributesText(entry->attributes));
  if (folder) {
    return lines;
  }
  const std::optional<platform::Sha256Digest> digest =
      platform::FileSha256(services.files, services.verifier, path, pump);
  lines.push_back("SHA-256: " + (digest ? platform::Sha256Hex(*digest) : "cannot be read"));
  lines.push_back(PublisherLine(services.evidence.PublisherOf(path)));
  return lines;
}

std::vector<std::string> KeyFacts(const FindingDetailsServices& services, const Finding& finding) {
  const ReportRow& row = finding.row;
  const std::size_t slash = row.Location.find('\\');
  const std::string below = slash == std::string::npos
                                ? row.Caption
                                : row.Location.substr(slash + 1) + "\\" + row.Caption;
  std::vector<std::string> lines{"Key: " + row.Location + "\\" + row.Caption};
  const platform::OpenedKey key = services.registry.OpenKey(
      HiveRoot(row.Location.substr(0, slash)), below, platform::RegistryAccess::kRead,
      platform::LinkHandling::kOpenLinkItself);
  if (!key) {
    lines.emplace_back("It is no longer there.");
    return lines;
  }
  const platform::NameListResult values = services.registry.ValueNamesWide(*key);
  const platform::NameListResult subkeys = services.registry.SubkeyNamesWide(*key);
  const auto count = [&](const platform::NameListResult& names) {
    return names.error != 0
               ? std::string("cannot be read")
               : services.locale.FormatCount(static_cast<std::int64_t>(names.names.size()));
  };
  lines.push_back("Values: " + count(values));
  lines.push_back("Subkeys: " + count(subkeys));
  return lines;
}

std::vector<std::string> ProcessFacts(const FindingDetailsServices& services,
                                      const Finding& finding) {
  std::vector<std::string> lines{"Process: " + finding.row.Caption};
  ProcessList processes;
  ListProcesses(services.processes, processes);
  const std::string wanted = platform::AsciiUpperCase(BaseName(finding.row.Caption));
  for (const ProcessEntry& process : processes) {
    if (platform::AsciiUpperCase(BaseName(process.name)) != wanted) {
      continue;
    }
    const std::unique_ptr<platform::OpenedProcess> opened = services.processes.OpenProcess(
        platform::kProcessQueryInformation | platform::kProcessVmRead,
        static_cast<std::uint32_t>(process.processId));
    const std::optional<std::string> image = opened ? opened->ExecutablePath() : std::nullopt;
    const std::string id = std::to_string(process.processId);
    if (!image) {
      lines.push_back("Id " + id + ": the image cannot be read");
      continue;
    }
    lines.push_back("Id " + id + ": " + *image);
    lines.push_back("  " + PublisherLine(services.evidence.PublisherOf(platform::Path(*image))));
  }
  if (lines.size() == 1) {
    lines.emplace_back("No process of that name runs now.");
  }
  return lines;
}

// What starts the program, and the program itself as a file.
std::vector<std::string> EntryFacts(const FindingDetailsServices& services, const Finding& finding,
                                    platform::MessagePump* pump) {
  const StartupEntry& entry = finding.entry;
  std::vector<std::string> lines{std::string("Kind: ") + StartupKindName(entry.kind)};
  if (!entry.keyFullPath.empty()) {
    lines.push_back("Key: " + entry.keyFullPath);
  }
  if (!entry.taskPath.empty()) {
    lines.push_back("Task: " + services.files.AnsiSpelling(entry.taskPath));
  }
  lines.push_back("Command: " + entry.command);
  const std::size_t slash = entry.program.rfind('\\');
  if (slash == std::string::npos) {
    return lines;
  }
  Finding program{.row = {entry.program.substr(slash + 1), entry.program.substr(0, slash), {}}};
  lines.emplace_back("Program:");
  for (std::string& line : FileFacts(services, program, pump)) {
    lines.push_back("  " + std::move(line));
  }
  return lines;
}

}  // namespace

std::string PublisherLine(const Publisher& publisher) {
  switch (publisher.state) {
    case Publisher::kSigned:
      return "Signed by " + publisher.name;
    case Publisher::kInvalid:
      return "Signature not valid";
    case Publisher::kNotSigned:
      break;
  }
  return "Not signed";
}

std::vector<std::string> FindingDetails(const FindingDetailsServices& services,
                                        const Finding& finding, platform::MessagePump* pump) {
  switch (finding.kind) {
    case RowKind::kFile:
      return FileFacts(services, finding, pump);
    case RowKind::kRegistryKey:
      return KeyFacts(services, finding);
    case RowKind::kStartupEntry:
      return finding.entry.kind == StartupKind::kStartupFile ? FileFacts(services, finding, pump)
                                                             : EntryFacts(services, finding, pump);
    case RowKind::kProcess:
      break;
  }
  return ProcessFacts(services, finding);
}

}  // namespace nexolant
