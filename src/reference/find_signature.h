#pragma once

#include <string_view>

#include "platform/message_pump.h"
#include "reference/signature_list.h"

namespace nexolant {

// The lowest index of list whose pattern matches name, or -1. Pumps pending window messages
// once per lookup of a non-empty list, so a scan stays responsive without paying a pump per
// pattern. InvalidMask reaches the caller.
int FindSignature(std::string_view name, const SignatureList& list, platform::MessagePump& pump);

}  // namespace nexolant
