#pragma once

#include <string>
#include <string_view>

namespace nexolant {

// The quarantine lives in the program folder: the quarantined files in a folder of their own,
// and an index with an entry name=origin folder per file in [Files], and an entry
// save=full key path per saved registry key in [Registry], where save is the name of the
// key's registration file in the folder.
inline constexpr const char* kQuarantineFolderName = "Quarantine";
inline constexpr const char* kQuarantineIndexName = "Quarantine.ini";
inline constexpr const char* kFilesSection = "Files";
inline constexpr const char* kRegistrySection = "Registry";

// A name that stays inside the folder it is joined to and names a file there as it is spelled:
// not empty, not ending in a dot or a blank (so not "." or ".."), without "\", "/", ":" or
// another character a file name cannot hold, and not a device name (CON, NUL, COM1, ...).
bool IsPlainFileName(std::string_view name);

// A path from a drive root ("C:\..."), the root itself as a scan names its folder ("C:"), or a
// path from a network share ("\\server\...").
bool IsAbsolutePath(std::string_view path);

// The path of name in folder, with one backslash between them also when the folder is a root
// written with its backslash ("C:\").
std::string PathInFolder(std::string_view folder, std::string_view name);

}  // namespace nexolant
