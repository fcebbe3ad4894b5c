#include "registry/key_tree_read.h"

#include "registry/key_path.h"

namespace nexolant {

using platform::LinkHandling;
using platform::RegistryAccess;
using platform::WideString;

bool IsRegistryLink(platform::Registry& registry, const platform::RegistryKey& key) {
  const platform::ValueReadResult value = registry.ReadValueWide(key, u"SymbolicLinkValue");
  return value.error == 0 && value.type == platform::kRegLink;
}

namespace {

class TreeReader {
 public:
  explicit TreeReader(platform::Registry& registry) : registry_(registry) {}

  // Fills the tree from the open key; false once something could not be read.
  bool Read(const platform::RegistryKey& key, const WideString& path, KeyTree& tree) {
    if (IsRegistryLink(registry_, key)) {
      result_.links.push_back(path);
      return true;
    }
    const platform::NameListResult valueNames = registry_.ValueNamesWide(key);
    if (valueNames.error != 0) {
      return Fail(path, valueNames.error);
    }
    for (const WideString& name : valueNames.names) {
      platform::ValueReadResult value = registry_.ReadValueWide(key, name);
      if (value.error != 0) {
        return Fail(path, value.error);
      }
      tree.values.push_back({name, value.type, std::move(value.bytes)});
    }
    const platform::NameListResult subkeyNames = registry_.SubkeyNamesWide(key);
    if (subkeyNames.error != 0) {
      return Fail(path, subkeyNames.error);
    }
    for (const WideString& name : subkeyNames.names) {
      const WideString childPath = JoinKeyPath(path, name);
      const platform::OpenedKey child =
          registry_.OpenKeyWide(key, name, RegistryAccess::kRead, LinkHandling::kOpenLinkItself);
      if (!child.key) {
        return Fail(childPath, child.error);
      }
      KeyTree& subtree = tree.subkeys.emplace_back();
      subtree.name = name;
      if (!Read(*child.key, childPath, subtree)) {
        return false;
      }
    }
    return true;
  }

  TreeReadResult& Result() { return result_; }

 private:
  bool Fail(const WideString& path, std::uint32_t error) {
    result_.failedPath = path;
    result_.error = error;
    return false;
  }

  platform::Registry& registry_;
  TreeReadResult result_;
};

}  // namespace

TreeReadResult ReadKeyTree(platform::Registry& registry, platform::KeyBase base,
                           const WideString& path) {
  const auto names = SplitKeyPath(path);
  if (!names) {
    return {};
  }
  const platform::OpenedKey top =
      registry.OpenKeyWide(base, path, RegistryAccess::kRead, LinkHandling::kOpenLinkItself);
  if (!top.key) {
    TreeReadResult result;
    result.status = IsMissingKey(top.error) ? TreeReadResult::Status::kMissing
                                            : TreeReadResult::Status::kFailed;
    result.failedPath = path;
    result.error = top.error;
    return result;
  }
  TreeReader reader(registry);
  TreeReadResult& result = reader.Result();
  result.tree.name = names->back();
  if (!reader.Read(*top.key, path, result.tree)) {
    result.status = TreeReadResult::Status::kFailed;
  } else if (!result.links.empty()) {
    result.status = TreeReadResult::Status::kHoldsLinks;
  } else {
    result.status = TreeReadResult::Status::kRead;
  }
  if (result.status != TreeReadResult::Status::kRead) {
    result.tree = {};
  }
  return std::move(result);
}

}  // namespace nexolant
