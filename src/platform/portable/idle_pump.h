#pragma once

#include "platform/message_pump.h"

namespace nexolant::platform {

// The pump of a program without windows: there is never anything to dispatch.
class IdlePump final : public MessagePump {
 public:
  void ProcessMessages() override {}
};

}  // namespace nexolant::platform
