#pragma once

#include <string>
#include <string_view>

namespace nexolant::protection {

// The folders a command line of the registry may name by a variable or leave implied.
struct CommandFolders {
  std::string windows;       // the Windows folder, "C:\Windows"
  std::string programFiles;  // "C:\Program Files"; empty when unknown
};

// The file a command line starts, as the registry's entries write it (a service's image, a
// class's server, a Run value): a quoted path, or an unquoted one that may hold blanks and ends
// at the first blank after an executable's extension; arguments after it; "%SystemRoot%",
// "%windir%", "%SystemDrive%" and "%ProgramFiles%"; the kernel's "\SystemRoot\" and "\??\"; a
// path relative to the Windows folder ("system32\drivers\x.sys"); and a bare name, which the
// system finds in System32. For rundll32 and regsvr32 it is the library they load. Empty when
// the command cannot be told: empty, or naming a variable of another name.
std::string ProgramOfCommand(std::string_view command, const CommandFolders& folders);

}  // namespace nexolant::protection
