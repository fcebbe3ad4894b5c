// nexref: converts between the plain signature text and Reference.dat, and checks a
// reference file the way the program will load it.
#include <iostream>
#include <string>
#include <vector>

#include "nexref/nexref.h"
#include "platform/portable/cp1252_locale.h"
#include "platform/portable/std_file_system.h"
#include "ui/application.h"
#include "ui/application_backend.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int k = 1; k < argc; ++k) {
    args.emplace_back(argv[k]);
  }
  nexolant::platform::StdFileSystem files;
  const nexolant::platform::Cp1252Locale locale;
  nexolant::ui::ConsoleBackend backend;
  nexolant::ui::Application application(backend);
  return nexolant::nexref::RunNexref(args, std::cout, std::cerr, {files, locale, application});
}
