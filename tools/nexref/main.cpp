// nexref: converts between the plain signature text and Reference.dat, and checks a
// reference file the way the program will load it.
#include <iostream>
#include <string>
#include <vector>

#include "nexref/nexref.h"
#include "nexref/stderr_warnings.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/idle_pump.h"
#include "platform/portable/std_file_system.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int k = 1; k < argc; ++k) {
    args.emplace_back(argv[k]);
  }
  nexolant::platform::StdFileSystem files;
  const nexolant::platform::Cp1252Locale locale;
  nexolant::platform::IdlePump pump;
  nexolant::nexref::StderrWarnings warnings;
  return nexolant::nexref::RunNexref(args, std::cout, std::cerr, {files, locale, pump, warnings});
}
