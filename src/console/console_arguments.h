#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scan/scan_state.h"

namespace nexolant {

// What the console scanner was asked to do. Every option comes from the command line; none from
// the settings file.
struct ConsoleRequest {
  ScanMode mode = ScanMode::kQuick;
  std::string folder{};  // the chosen folder as given (UTF-8)
  bool registry = false;
  bool deepRegistry = false;
  bool startupEntries = false;
  bool repair = false;
  bool quarantine = true;
  std::string logFile{};  // as given (UTF-8); empty for no log
  bool help = false;
};

// The request the arguments make, or the problem with them.
struct ArgumentsRead {
  std::optional<ConsoleRequest> request;
  std::string problem{};
};

// Reads the arguments after the program's name: one scan kind (quick, complete, folder PATH)
// and the options, in any order, letters in either case. --help (also -h and /?) wins over
// everything else.
ArgumentsRead ReadArguments(const std::vector<std::string>& arguments);

// The one line that says how to call the scanner.
inline constexpr const char* kConsoleUsage =
    "Usage: nexscan quick|complete|folder PATH [--registry [--deep]] [--startup] "
    "[--repair [--no-quarantine]] [--log FILE] | --help";

// The text of --help: the usage, the options, the exit codes and a scheduled task.
std::string ConsoleHelpText();

}  // namespace nexolant
