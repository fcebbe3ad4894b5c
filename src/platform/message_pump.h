#pragma once

namespace nexolant::platform {

// What a long loop calls at its pump points so that the window system stays responsive; a
// handler it dispatches (a Stop click, a timer tick) runs inside the call.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessMessages() = 0;
};

}  // namespace nexolant::platform
