#include "console/console_arguments.h"

#include <array>
#include <string_view>

#include "platform/ascii.h"

namespace nexolant {
namespace {

struct Flag {
  const char* name;
  bool ConsoleRequest::*field;
};

constexpr std::array<Flag, 4> kFlags{{
    {"--registry", &ConsoleRequest::registry},
    {"--deep", &ConsoleRequest::deepRegistry},
    {"--startup", &ConsoleRequest::startupEntries},
    {"--repair", &ConsoleRequest::repair},
}};

bool Is(std::string_view argument, std::string_view word) {
  return platform::AsciiEqualNoCase(argument, word);
}

bool AsksForHelp(std::string_view argument) {
  return Is(argument, "--help") || Is(argument, "-h") || argument == "/?";
}

// The value that follows an option or a kind; none when the arguments end or an option follows.
std::optional<std::string> ValueAfter(const std::vector<std::string>& arguments, std::size_t& k) {
  if (k + 1 >= arguments.size() || arguments[k + 1].starts_with("--")) {
    return std::nullopt;
  }
  return arguments[++k];
}

ArgumentsRead Problem(std::string text) {
  return {.request = std::nullopt, .problem = std::move(text)};
}

}  // namespace

ArgumentsRead ReadArguments(const std::vector<std::string>& arguments) {
  ConsoleRequest request;
  for (const std::string& argument : arguments) {
    if (AsksForHelp(argument)) {
      request.help = true;
      return {.request = request};
    }
  }
  bool kindGiven = false;
  bool noQuarantine = false;
  bool logGiven = false;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& argument = arguments[k];
    const bool isKind = Is(argument, "quick") || Is(argument, "complete") || Is(argument, "folder");
    if (isKind && kindGiven) {
      return Problem("more than one kind of scan: " + argument);
    }
    if (isKind) {
      kindGiven = true;
      request.mode = Is(argument, "quick")      ? ScanMode::kQuick
                     : Is(argument, "complete") ? ScanMode::kComplete
                                                : ScanMode::kChosenFolder;
      if (request.mode == ScanMode::kChosenFolder) {
        const std::optional<std::string> folder = ValueAfter(arguments, k);
        if (!folder || folder->empty()) {
          return Problem("folder needs the PATH of the folder to scan");
        }
        request.folder = *folder;
      }
      continue;
    }
    const Flag* flag = nullptr;
    for (const Flag& known : kFlags) {
      if (Is(argument, known.name)) {
        flag = &known;
      }
    }
    if (flag != nullptr) {
      if (request.*flag->field) {
        return Problem(std::string(flag->name) + " is given twice");
      }
      request.*flag->field = true;
    } else if (Is(argument, "--no-quarantine")) {
      if (noQuarantine) {
        return Problem("--no-quarantine is given twice");
      }
      noQuarantine = true;
    } else if (Is(argument, "--log")) {
      const std::optional<std::string> file = ValueAfter(arguments, k);
      if (logGiven || !file || file->empty()) {
        return Problem(logGiven ? "--log is given twice" : "--log needs the FILE to write");
      }
      logGiven = true;
      request.logFile = *file;
    } else {
      return Problem("unknown argument: " + argument);
    }
  }
  if (!kindGiven) {
    return Problem("no kind of scan: quick, complete or folder PATH");
  }
  if (request.deepRegistry && !request.registry) {
    return Problem("--deep goes with --registry");
  }
  if (noQuarantine && !request.repair) {
    return Problem("--no-quarantine goes with --repair");
  }
  request.quarantine = !noQuarantine;
  return {.request = request};
}

std::string ConsoleHelpText() {
  return std::string(kConsoleUsage) +
         "\r\n\r\n"
         "Scans as Nexolant's Scan Now does, with the same reference file, protection, ignore\r\n"
         "list and quarantine, and prints each finding and each outcome as a line.\r\n\r\n"
         "  quick            the Windows folder\r\n"
         "  complete         every fixed drive\r\n"
         "  folder PATH      that folder and the folders in it\r\n"
         "  --registry       also the registry's classes; --deep adds HKEY_CURRENT_USER and\r\n"
         "                   HKEY_LOCAL_MACHINE\r\n"
         "  --startup        also the places programs start from\r\n"
         "  --repair         removes what was found: processes ended, everything else into\r\n"
         "                   the quarantine, or deleted with --no-quarantine\r\n"
         "  --log FILE       writes the scan's log into FILE\r\n\r\n"
         "Exit codes: 0 nothing found; 1 everything found was removed; 2 something found is\r\n"
         "still there (always when found without --repair); 3 an error (bad arguments, no\r\n"
         "reference file); 4 stopped by Ctrl+C.\r\n\r\n"
         "A daily scan at 03:00 from the Task Scheduler, for the folder the installer uses:\r\n"
         "  schtasks /Create /TN \"Nexolant quick scan\" /SC DAILY /ST 03:00 /TR\r\n"
         "    \"\\\"%LOCALAPPDATA%\\Programs\\Nexolant\\nexscan.exe\\\" quick --repair\"";
}

}  // namespace nexolant
