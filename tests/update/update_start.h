#pragma once

#include <string>

#include "support/encipher_reference.h"

namespace nexolant::update_start {

// Where the update tests' program lives, where its update comes from, and the reference file
// installed before the update.
inline const std::string kFolder = "C:\\Program Files\\Nexolant\\";
inline const std::string kUrl = "http://update.example/updates/adware/reference.dat";
inline const std::string kOld =
    testing::EncipherReference("[ScanFiles]\r\nOLD.EXE=The old file\r\n");

}  // namespace nexolant::update_start
