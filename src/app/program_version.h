#pragma once

namespace nexolant {

// The program's version, as the scan logs give it and the About box shows it.
inline constexpr const char* kProgramVersion = "2.0";
inline constexpr const char* kVersionCaption = "Version 2.0";

}  // namespace nexolant
