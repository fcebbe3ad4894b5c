#include "reference/find_signature.h"

namespace nexolant {

int FindSignature(std::string_view name, const SignatureList& list, platform::MessagePump& pump) {
  if (list.empty()) {
    return -1;
  }
  pump.ProcessMessages();
  return list.Find(name);
}

int FindActiveSignature(std::string_view name, const SignatureList& list,
                        platform::MessagePump& pump) {
  if (list.empty()) {
    return -1;
  }
  pump.ProcessMessages();
  return list.FindActive(name);
}

}  // namespace nexolant
