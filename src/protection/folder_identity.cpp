#include "protection/folder_identity.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace nexolant::protection {
namespace {

// The names of normal below its part head, without a leading separator.
std::string_view RestBelow(std::string_view normal, std::string_view head) {
  std::string_view rest = normal.substr(head.size());
  return rest.starts_with('\\') ? rest.substr(1) : rest;
}

}  // namespace

void FolderIdentity::Read(const std::vector<std::string>& folders) {
  // A folder holding a protected one is protected too, and a drive mapped to it leads there.
  std::set<std::string> places;
  for (const std::string& folder : folders) {
    for (std::string_view path = folder; !path.empty(); path = ParentOf(path)) {
      places.emplace(path);
    }
  }
  for (const std::string& place : places) {
    if (const std::optional<platform::FileIdentity> identity = files_.Identity(place)) {
      folders_.try_emplace(*identity, place);
    }
  }
}

std::vector<std::string> FolderIdentity::OtherSpellings(const std::string& normal) const {
  std::vector<std::string> spellings;
  const std::string own = form_.Key(normal);
  for (std::string spelling : {FinalSpelling(normal), IdentitySpelling(normal)}) {
    if (!spelling.empty() && form_.Key(spelling) != own &&
        std::find(spellings.begin(), spellings.end(), spelling) == spellings.end()) {
      spellings.push_back(std::move(spelling));
    }
  }
  return spellings;
}

// A path that does not exist yet (the target of a restore) takes the final path of the part
// of it that does.
std::string FolderIdentity::FinalSpelling(const std::string& normal) const {
  for (std::string_view path = normal; !path.empty(); path = ParentOf(path)) {
    const platform::Path final = files_.FinalPath(std::string(path));
    if (!final.Empty()) {
      const std::string head = form_.NormalOf(final);
      const std::string_view rest = RestBelow(normal, path);
      return rest.empty() || head.empty() ? head : form_.Below(head, rest);
    }
  }
  return {};
}

std::string FolderIdentity::IdentitySpelling(const std::string& normal) const {
  for (std::string_view path = normal; !path.empty(); path = ParentOf(path)) {
    const std::optional<platform::FileIdentity> identity = files_.Identity(std::string(path));
    const auto found = identity ? folders_.find(*identity) : folders_.end();
    if (found != folders_.end()) {
      const std::string_view rest = RestBelow(normal, path);
      return rest.empty() ? found->second : form_.Below(found->second, rest);
    }
  }
  return {};
}

}  // namespace nexolant::protection
