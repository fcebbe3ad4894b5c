#include "scan/walked_places.h"

#include <algorithm>

namespace nexolant {

void WalkedPlaces::Start(StringList& queue, const platform::Path& quarantine) {
  places_.clear();
  if (const std::optional<platform::FileIdentity> identity = files_.Identity(quarantine)) {
    places_.push_back({*identity, {}});
  }
  std::erase_if(queue, [this](const std::string& root) {
    const std::optional<platform::FileIdentity> identity = files_.Identity(root);
    if (!identity) {
      return false;
    }
    const bool known = std::any_of(places_.begin(), places_.end(),
                                   [&](const Place& place) { return place.identity == *identity; });
    if (!known) {
      places_.push_back({*identity, root});
    }
    return known;
  });
}

void WalkedPlaces::Walking(const std::string& root) {
  for (Place& place : places_) {
    place.walked = place.walked || place.root == root;
  }
}

bool WalkedPlaces::Skip(const platform::Path& folder, const platform::FindData& entry,
                        StringList& queue) {
  const auto sameTime = [&entry](const Place& place) {
    return place.identity.writeTime == entry.writeTime;
  };
  if (std::none_of(places_.begin(), places_.end(), sameTime)) {
    return false;
  }
  const std::optional<platform::FileIdentity> identity = files_.Identity(folder);
  const auto place = std::find_if(places_.begin(), places_.end(), [&](const Place& known) {
    return identity && known.identity == *identity;
  });
  if (place == places_.end()) {
    return false;
  }
  if (place->root.empty() || place->walked) {
    return true;
  }
  std::erase(queue, place->root);
  place->walked = true;
  return false;
}

}  // namespace nexolant
