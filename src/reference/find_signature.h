#pragma once

#include <string_view>

#include "platform/message_pump.h"
#include "reference/signature_list.h"

namespace nexolant {

// The lowest index of list whose pattern matches name, or -1. Pumps pending window messages
// once per lookup of a non-empty list, so a scan stays responsive without paying a pump per
// pattern. InvalidMask reaches the caller.
int FindSignature(std::string_view name, const SignatureList& list, platform::MessagePump& pump);

// FindSignature without the patterns the loader marked too broad: the look-up of every place
// that finds or acts on something, so that a pattern such as "*" finds nothing.
int FindActiveSignature(std::string_view name, const SignatureList& list,
                        platform::MessagePump& pump);

}  // namespace nexolant
