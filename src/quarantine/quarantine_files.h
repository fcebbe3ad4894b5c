#pragma once

#include <string>
#include <string_view>

namespace nexolant {

// The quarantine lives in the program folder: the quarantined files in a folder of their own,
// and an index with an entry name=origin folder per file in [Files] (the files of the Startup
// folders among them), and an entry save=where it was for every object saved in a file of its
// own in the folder: a registry key in [Registry], a service's key in [Services], a browser
// helper's key in [BrowserHelpers] (each with the key's full path), a single value (a Run
// value, a toolbar) in [Values] (its key's full path, "\" and its name) and a scheduled
// task's definition in [Tasks] (its task path, encoded as an exact path). [Descriptions] keeps,
// by the name in the folder, the description of an object found other than by its name (by
// its content, or a startup entry by the program it starts), which its name cannot give again.
inline constexpr const char* kQuarantineFolderName = "Quarantine";
inline constexpr const char* kQuarantineIndexName = "Quarantine.ini";
inline constexpr const char* kFilesSection = "Files";
inline constexpr const char* kRegistrySection = "Registry";
inline constexpr const char* kServicesSection = "Services";
inline constexpr const char* kBrowserHelpersSection = "BrowserHelpers";
inline constexpr const char* kValuesSection = "Values";
inline constexpr const char* kTasksSection = "Tasks";
inline constexpr const char* kDescriptionsSection = "Descriptions";

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
