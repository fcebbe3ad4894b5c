#include "protection/command_line.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/ascii.h"

namespace nexolant::protection {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::array<std::string_view, 9> kProgramExtensions = {
    ".EXE", ".DLL", ".SYS", ".COM", ".SCR", ".CPL", ".OCX", ".BAT", ".CMD"};

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         platform::AsciiEqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::string_view DriveOf(std::string_view windows) {
  return windows.size() >= 2 && windows[1] == ':' ? windows.substr(0, 2) : std::string_view();
}

// The command with its variables replaced; none when one is unknown or unset.
std::optional<std::string> Expanded(std::string_view command, const CommandFolders& folders) {
  std::string result;
  for (std::size_t at = 0; at < command.size();) {
    const std::size_t open = command.find('%', at);
    if (open == std::string_view::npos) {
      result.append(command.substr(at));
      break;
    }
    const std::size_t close = command.find('%', open + 1);
    if (close == std::string_view::npos) {
      return std::nullopt;
    }
    result.append(command.substr(at, open - at));
    const std::string name = platform::AsciiUpperCase(command.substr(open + 1, close - open - 1));
    std::string_view value;
    if (name == "SYSTEMROOT" || name == "WINDIR") {
      value = folders.windows;
    } else if (name == "SYSTEMDRIVE") {
      value = DriveOf(folders.windows);
    } else if (name == "PROGRAMFILES") {
      value = folders.programFiles;
    }
    if (value.empty()) {
      return std::nullopt;
    }
    result.append(value);
    at = close + 1;
  }
  return result;
}

// The first word of a command, and where the rest begins.
std::pair<std::string_view, std::string_view> SplitProgram(std::string_view command) {
  if (command.starts_with('"')) {
    const std::size_t close = command.find('"', 1);
    if (close == std::string_view::npos) {
      return {command.substr(1), {}};
    }
    return {command.substr(1, close - 1), command.substr(close + 1)};
  }
  // Unquoted paths may hold blanks: the program ends at the first blank after an extension of
  // an executable, else at the first blank.
  const std::string upper = platform::AsciiUpperCase(command);
  for (std::size_t end = std::min(upper.find(' '), upper.size());;
       end = std::min(upper.find(' ', end + 1), upper.size())) {
    const std::string_view before = std::string_view(upper).substr(0, end);
    if (std::any_of(kProgramExtensions.begin(), kProgramExtensions.end(),
                    [before](std::string_view ext) { return before.ends_with(ext); })) {
      return {command.substr(0, end), command.substr(end)};
    }
    if (end == upper.size()) {
      break;
    }
  }
  const std::size_t blank = command.find_first_of(kBlanks);
  if (blank == std::string_view::npos) {
    return {command, {}};
  }
  return {command.substr(0, blank), command.substr(blank)};
}

std::string_view BaseName(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// The full path of a program as the system finds it.
std::string FullPath(std::string_view program, const CommandFolders& folders,
                     std::string_view defaultExtension) {
  if (StartsWithNoCase(program, "\\??\\")) {
    program.remove_prefix(4);
  }
  if (StartsWithNoCase(program, "\\SystemRoot\\")) {
    return folders.windows + std::string(program.substr(11));
  }
  if (program.size() >= 2 && program[1] == ':') {
    return std::string(program);
  }
  if (program.starts_with("\\\\")) {
    return std::string(program);
  }
  if (program.starts_with('\\')) {
    return std::string(DriveOf(folders.windows)) + std::string(program);
  }
  std::string name(program);
  if (BaseName(name).find('.') == std::string_view::npos) {
    name += defaultExtension;
  }
  // A name alone is found in System32; a relative path is read from the Windows folder.
  return folders.windows + (program.find('\\') == std::string_view::npos ? "\\System32\\" : "\\") +
         name;
}

// The library that rundll32 or regsvr32 is told to load: the first argument that is no switch,
// up to rundll32's ",".
std::string_view LoadedLibrary(std::string_view arguments, bool rundll) {
  for (std::string_view rest = Trimmed(arguments); !rest.empty();) {
    auto [word, after] = SplitProgram(rest);
    rest = Trimmed(after);
    if (word.starts_with('/') || word.starts_with('-')) {
      continue;
    }
    if (rundll) {
      word = word.substr(0, std::min(word.find(','), word.size()));
    }
    return word;
  }
  return {};
}

}  // namespace

std::string ProgramOfCommand(std::string_view command, const CommandFolders& folders) {
  const std::optional<std::string> expanded = Expanded(Trimmed(command), folders);
  if (!expanded || Trimmed(*expanded).empty() || folders.windows.empty()) {
    return {};
  }
  const auto [program, arguments] = SplitProgram(Trimmed(*expanded));
  const std::string base = platform::AsciiUpperCase(BaseName(program));
  const bool rundll = base == "RUNDLL32.EXE" || base == "RUNDLL32";
  if (rundll || base == "REGSVR32.EXE" || base == "REGSVR32") {
    const std::string_view library = LoadedLibrary(arguments, rundll);
    return library.empty() ? std::string() : FullPath(library, folders, ".dll");
  }
  return program.empty() ? std::string() : FullPath(program, folders, ".exe");
}

}  // namespace nexolant::protection
