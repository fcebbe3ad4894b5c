#include "reference/find_signature.h"

namespace nexolant {

int FindSignature(std::string_view name, const SignatureList& list, ui::Application& application) {
  if (list.empty()) {
    return -1;
  }
  application.ProcessMessages();
  return list.Find(name);
}

}  // namespace nexolant
