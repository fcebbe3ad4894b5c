#include "update/update_url.h"

namespace nexolant {

std::string ReferenceUpdateUrl() {
  return std::string("http://") + NEXOLANT_UPDATE_HOST + "/updates/adware/reference.dat";
}

}  // namespace nexolant
