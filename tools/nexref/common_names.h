#pragma once

#include <span>
#include <string_view>

namespace nexolant::nexref {

// Names of files and processes found on every Windows machine, and the program's own files:
// a file or process signature that matches one of them would flag a sound system.
std::span<const std::string_view> CommonFileNames();

// Names of registry keys found on every Windows machine: a registry signature that matches
// one of them would delete a key that Windows needs.
std::span<const std::string_view> CommonRegistryKeyNames();

}  // namespace nexolant::nexref
