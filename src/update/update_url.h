#pragma once

#include <string>

namespace nexolant {

// Where the web update fetches the reference file: plain HTTP, the update server's host as
// the build sets it (NEXOLANT_UPDATE_HOST), the path "/updates/adware/reference.dat".
std::string ReferenceUpdateUrl();

}  // namespace nexolant
