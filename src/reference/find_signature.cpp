#include "reference/find_signature.h"

namespace nexolant {

int FindSignature(std::string_view name, const SignatureList& list, platform::MessagePump& pump) {
  if (list.empty()) {
    return -1;
  }
  pump.ProcessMessages();
  return list.Find(name);
}

}  // namespace nexolant
