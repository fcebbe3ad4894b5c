#pragma once

#include <ostream>
#include <span>
#include <string>

#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/warning_sink.h"

namespace nexolant::nexref {

// What the tool needs from the system; main() passes the real ones, tests their own.
struct NexrefServices {
  platform::FileSystem& files;
  const platform::Locale& locale;
  platform::MessagePump& pump;  // pumped by the INI store while it reads
  platform::WarningSink& warnings;
};

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;  // a file could not be found, read or written, or the
                                      // check found an error
inline constexpr int kExitUsage = 2;  // the command line was wrong

// Runs one command line (without the program name): "build", "decipher" or "check" with their
// file names, in the native build also "keygen", "sign" or "verify", or "--help". Results go to
// out, messages and warnings to err.
int RunNexref(std::span<const std::string> args, std::ostream& out, std::ostream& err,
              const NexrefServices& services);

}  // namespace nexolant::nexref
