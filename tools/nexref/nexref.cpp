#include "nexref/nexref.h"

#include <chrono>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

#include "nexref/check_command.h"
#include "nexref/cipher_commands.h"
#include "reference/reference_version.h"
#ifdef NEXREF_SIGNING
#include "nexref/signing_commands.h"
#endif

namespace nexolant::nexref {
namespace {

constexpr std::string_view kUsage =
    "Usage: nexref build PLAIN.ini REFERENCE.dat\n"
    "       nexref decipher REFERENCE.dat PLAIN.ini\n"
    "       nexref check REFERENCE.dat\n"
#ifdef NEXREF_SIGNING
    "       nexref keygen PRIVATE.pem PUBLIC.pem\n"
    "       nexref sign --version N [--date YYYY-MM-DD] PRIVATE.pem REFERENCE.dat\n"
    "       nexref verify PUBLIC.pem REFERENCE.dat\n"
#endif
    "\n"
    "  build     enciphers a plain INI text with the shipped key\n"
    "  decipher  restores the plain INI text, byte for byte\n"
    "  check     loads a reference file as the program does, prints its\n"
    "            signature totals, warns about doubtful entries and fails on\n"
    "            patterns that match a protected name or are too broad and on\n"
    "            malformed or conflicting hash signatures\n"
#ifdef NEXREF_SIGNING
    "  keygen    makes an ECDSA P-256 key pair for signing updates\n"
    "  sign      writes REFERENCE.dat.sig, the signature of REFERENCE.dat, and\n"
    "            REFERENCE.dat.ver, its signed version record: version N (1 to\n"
    "            2147483647, higher than any published before) and the date\n"
    "            (today's, in UTC, unless given)\n"
    "  verify    checks REFERENCE.dat.sig and REFERENCE.dat.ver as the program does\n"
#endif
    ;

// One command line: its file names and, for sign, the version of the file.
struct Invocation {
  std::vector<std::string> files;
  std::optional<ReferenceVersion> version;
};

struct Command {
  std::string_view name;
  std::size_t fileCount;
  int (*run)(const Invocation& call, std::ostream& out, std::ostream& err,
             const NexrefServices& services);
  bool takesVersion = false;
};

int Build(const Invocation& call, std::ostream& /*out*/, std::ostream& err,
          const NexrefServices& services) {
  return RunBuild(call.files[0], call.files[1], err, services);
}

int Decipher(const Invocation& call, std::ostream& /*out*/, std::ostream& err,
             const NexrefServices& services) {
  return RunDecipher(call.files[0], call.files[1], err, services);
}

int Check(const Invocation& call, std::ostream& out, std::ostream& err,
          const NexrefServices& services) {
  return RunCheck(call.files[0], out, err, services);
}

#ifdef NEXREF_SIGNING
int Keygen(const Invocation& call, std::ostream& /*out*/, std::ostream& err,
           const NexrefServices& services) {
  return RunKeygen(call.files[0], call.files[1], err, services);
}

int Sign(const Invocation& call, std::ostream& /*out*/, std::ostream& err,
         const NexrefServices& services) {
  return RunSign(call.files[0], call.files[1], call.version, err, services);
}

int Verify(const Invocation& call, std::ostream& out, std::ostream& err,
           const NexrefServices& services) {
  return RunVerify(call.files[0], call.files[1], out, err, services);
}
#endif

constexpr Command kCommands[] = {
    {"build", 2, Build},   {"decipher", 2, Decipher}, {"check", 1, Check},
#ifdef NEXREF_SIGNING
    {"keygen", 2, Keygen}, {"sign", 2, Sign, true},   {"verify", 2, Verify},
#endif
};

int UsageError(std::ostream& err, std::string_view message) {
  err << "nexref: " << message << "\n" << kUsage;
  return kExitUsage;
}

// Today's date in UTC, the date a version record bears unless another is given.
CalendarDate Today() {
  const std::chrono::year_month_day today{
      std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  return {.year = static_cast<int>(today.year()),
          .month = static_cast<int>(static_cast<unsigned>(today.month())),
          .day = static_cast<int>(static_cast<unsigned>(today.day()))};
}

// Splits the arguments after the command into file names and the options --version N and
// --date YYYY-MM-DD; a message for the user when they are wrong.
std::optional<std::string> ReadArguments(std::span<const std::string> args, bool takesVersion,
                                         Invocation& call) {
  std::optional<std::int32_t> number;
  CalendarDate date = Today();
  for (std::size_t k = 0; k < args.size(); ++k) {
    const bool option = takesVersion && (args[k] == "--version" || args[k] == "--date");
    if (!option) {
      call.files.push_back(args[k]);
      continue;
    }
    if (k + 1 == args.size()) {
      return args[k] + " needs a value";
    }
    const std::string& value = args[++k];
    if (args[k - 1] == "--version") {
      const ParsedNumber parsed = ParseVersionNumber(value);
      if (parsed.problem != VersionTextProblem::kNone) {
        return "the version must be a whole number from 1 to 2147483647, not \"" + value + "\"";
      }
      number = parsed.number;
    } else {
      const ParsedDate parsed = ParseCalendarDate(value);
      if (parsed.problem != VersionTextProblem::kNone) {
        return "the date must be a day from 2000-01-01 to 2099-12-31, as YYYY-MM-DD, not \"" +
               value + "\"";
      }
      date = parsed.date;
    }
  }
  if (number) {
    call.version = ReferenceVersion{.number = *number, .date = date};
  }
  return std::nullopt;
}

}  // namespace

int RunNexref(std::span<const std::string> args, std::ostream& out, std::ostream& err,
              const NexrefServices& services) {
  if (args.empty()) {
    err << kUsage;
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    if (args.size() > 1) {
      return UsageError(err, args[0] + " takes no arguments");
    }
    out << kUsage;
    return kExitOk;
  }
  for (const Command& command : kCommands) {
    if (args[0] != command.name) {
      continue;
    }
    Invocation call;
    if (const std::optional<std::string> wrong =
            ReadArguments(args.subspan(1), command.takesVersion, call)) {
      return UsageError(err, *wrong);
    }
    const std::vector<std::string>& files = call.files;
    if (files.size() != command.fileCount) {
      return UsageError(err, std::string(command.name) + " takes " +
                                 (command.fileCount == 1 ? "one file name" : "two file names"));
    }
    for (const std::string& file : files) {
      if (file.empty()) {
        return UsageError(err, "empty file name");
      }
    }
    try {
      return command.run(call, out, err, services);
    } catch (const std::exception& error) {
      err << "nexref: " << error.what() << "\n";
      return kExitError;
    }
  }
  return UsageError(err, "unknown command \"" + args[0] + "\"");
}

}  // namespace nexolant::nexref
