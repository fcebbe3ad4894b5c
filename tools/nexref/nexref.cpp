#include "nexref/nexref.h"

#include <exception>
#include <string_view>

#include "nexref/check_command.h"
#include "nexref/cipher_commands.h"
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
    "       nexref sign PRIVATE.pem REFERENCE.dat\n"
    "       nexref verify PUBLIC.pem REFERENCE.dat\n"
#endif
    "\n"
    "  build     enciphers a plain INI text with the shipped key\n"
    "  decipher  restores the plain INI text, byte for byte\n"
    "  check     loads a reference file as the program does, prints its\n"
    "            signature totals, warns about doubtful entries and fails on\n"
    "            patterns that match a protected name or are too broad\n"
#ifdef NEXREF_SIGNING
    "  keygen    makes an ECDSA P-256 key pair for signing updates\n"
    "  sign      writes REFERENCE.dat.sig, the signature of REFERENCE.dat\n"
    "  verify    checks REFERENCE.dat.sig as the program does\n"
#endif
    ;

struct Command {
  std::string_view name;
  std::size_t fileCount;
  int (*run)(std::span<const std::string> files, std::ostream& out, std::ostream& err,
             const NexrefServices& services);
};

int Build(std::span<const std::string> files, std::ostream& /*out*/, std::ostream& err,
          const NexrefServices& services) {
  return RunBuild(files[0], files[1], err, services);
}

int Decipher(std::span<const std::string> files, std::ostream& /*out*/, std::ostream& err,
             const NexrefServices& services) {
  return RunDecipher(files[0], files[1], err, services);
}

int Check(std::span<const std::string> files, std::ostream& out, std::ostream& err,
          const NexrefServices& services) {
  return RunCheck(files[0], out, err, services);
}

#ifdef NEXREF_SIGNING
int Keygen(std::span<const std::string> files, std::ostream& /*out*/, std::ostream& err,
           const NexrefServices& services) {
  return RunKeygen(files[0], files[1], err, services);
}

int Sign(std::span<const std::string> files, std::ostream& /*out*/, std::ostream& err,
         const NexrefServices& services) {
  return RunSign(files[0], files[1], err, services);
}

int Verify(std::span<const std::string> files, std::ostream& out, std::ostream& err,
           const NexrefServices& services) {
  return RunVerify(files[0], files[1], out, err, services);
}
#endif

constexpr Command kCommands[] = {
    {"build", 2, Build},   {"decipher", 2, Decipher}, {"check", 1, Check},
#ifdef NEXREF_SIGNING
    {"keygen", 2, Keygen}, {"sign", 2, Sign},         {"verify", 2, Verify},
#endif
};

int UsageError(std::ostream& err, std::string_view message) {
  err << "nexref: " << message << "\n" << kUsage;
  return kExitUsage;
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
    const std::span<const std::string> files = args.subspan(1);
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
      return command.run(files, out, err, services);
    } catch (const std::exception& error) {
      err << "nexref: " << error.what() << "\n";
      return kExitError;
    }
  }
  return UsageError(err, "unknown command \"" + args[0] + "\"");
}

}  // namespace nexolant::nexref
