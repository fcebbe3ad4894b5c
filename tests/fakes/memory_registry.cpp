#include "fakes/memory_registry.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/ascii.h"
#include "platform/errors.h"

namespace nexolant {

using platform::KeyBase;
using platform::RegistryAccess;
using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return platform::AsciiUpperCase(a) == platform::AsciiUpperCase(b);
}

// The names of a path; none when one of them is empty.
std::optional<StringList> SplitPath(const std::string& path) {
  StringList names;
  if (path.empty()) {
    return names;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    names.push_back(path.substr(start, end - start));
    if (names.back().empty()) {
      return std::nullopt;
    }
    if (end == std::string::npos) {
      return names;
    }
    start = end + 1;
  }
}

}  // namespace

struct MemoryRegistry::Node : std::enable_shared_from_this<Node> {
  struct Value {
    std::string name;
    std::uint32_t type = platform::kRegNone;
    std::string data;
    bool unreadable = false;
  };

  std::string name;
  Node* parent = nullptr;
  std::vector<std::shared_ptr<Node>> children;  // sorted by upper-cased name
  std::vector<Value> values;
  bool denyFullAccess = false;
  bool deleted = false;

  Node* Child(const std::string& childName) const {
    for (const auto& child : children) {
      if (SameName(child->name, childName)) {
        return child.get();
      }
    }
    return nullptr;
  }

  Node* AddChild(const std::string& childName) {
    auto child = std::make_shared<Node>();
    child->name = childName;
    child->parent = this;
    const std::string key = platform::AsciiUpperCase(childName);
    const auto place = std::find_if(children.begin(), children.end(), [&](const auto& other) {
      return platform::AsciiUpperCase(other->name) > key;
    });
    return children.insert(place, std::move(child))->get();
  }

  Value* FindValue(const std::string& valueName) {
    for (Value& value : values) {
      if (SameName(value.name, valueName)) {
        return &value;
      }
    }
    return nullptr;
  }

  std::string Path() const {
    if (!parent || !parent->parent) {
      return name;
    }
    return parent->Path() + "\\" + name;
  }
};

class MemoryRegistry::Key : public platform::RegistryKey {
 public:
  Key(std::shared_ptr<Node> node, RegistryAccess access, int& openKeys)
      : node_(std::move(node)), access_(access), openKeys_(&openKeys) {
    ++*openKeys_;
  }
  ~Key() override { --*openKeys_; }

  // The key's node; null once the key was deleted.
  Node* Live() const { return node_->deleted ? nullptr : node_.get(); }
  Node* Writable() const { return access_ == RegistryAccess::kFull ? Live() : nullptr; }

  static const Key& Of(const platform::RegistryKey& key) { return static_cast<const Key&>(key); }

 private:
  std::shared_ptr<Node> node_;
  RegistryAccess access_;
  int* openKeys_;
};

MemoryRegistry::MemoryRegistry() {
  for (auto& root : roots_) {
    root = std::make_shared<Node>();
  }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::BaseNode(KeyBase base) const {
  if (base.IsRoot()) {
    return roots_[static_cast<std::size_t>(base.Root())].get();
  }
  return Key::Of(base.Key()).Live();
}

MemoryRegistry::Node* MemoryRegistry::Find(Node* base, const std::string& path) const {
  const auto names = SplitPath(path);
  if (!base || !names) {
    return nullptr;
  }
  Node* node = base;
  for (const std::string& name : *names) {
    node = node->Child(name);
    if (!node) {
      return nullptr;
    }
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::Create(Node* base, const std::string& path) {
  const auto names = SplitPath(path);
  if (!base || !names) {
    return nullptr;
  }
  Node* node = base;
  for (const std::string& name : *names) {
    Node* child = node->Child(name);
    if (!child) {
      if (node->denyFullAccess) {
        return nullptr;
      }
      child = node->AddChild(name);
    }
    node = child;
  }
  return node;
}

MemoryRegistry::Node& MemoryRegistry::At(RegistryRoot root, const std::string& path) const {
  Node* node = Find(BaseNode(root), path);
  if (!node) {
    throw std::out_of_range("no registry key " + path);
  }
  return *node;
}

platform::OpenedKey MemoryRegistry::OpenKey(KeyBase base, const std::string& path,
                                            RegistryAccess access) {
  Node* node = Find(BaseNode(base), path);
  if (!node || (node->denyFullAccess && access == RegistryAccess::kFull)) {
    return {nullptr, node ? platform::kErrorAccessDenied : platform::kErrorFileNotFound};
  }
  return {std::make_unique<Key>(node->shared_from_this(), access, openKeys_)};
}

platform::OpenedKey MemoryRegistry::CreateKey(KeyBase base, const std::string& path,
                                              RegistryAccess access) {
  Node* node = Create(BaseNode(base), path);
  if (!node || (node->denyFullAccess && access == RegistryAccess::kFull)) {
    return {nullptr, platform::kErrorAccessDenied};
  }
  return {std::make_unique<Key>(node->shared_from_this(), access, openKeys_)};
}

StringList MemoryRegistry::SubkeyNames(const platform::RegistryKey& key) {
  StringList names;
  if (const Node* node = Key::Of(key).Live()) {
    for (const auto& child : node->children) {
      names.push_back(child->name);
    }
  }
  return names;
}

platform::Outcome MemoryRegistry::DeleteKey(KeyBase base, const std::string& path) {
  Node* node = path.empty() ? nullptr : Find(BaseNode(base), path);
  if (!node || !node->children.empty() || node->denyFullAccess) {
    return platform::Outcome::Failure(node ? platform::kErrorAccessDenied
                                           : platform::kErrorFileNotFound);
  }
  deletedKeys_.push_back(node->Path());
  node->deleted = true;
  auto& siblings = node->parent->children;
  siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                              [&](const auto& sibling) { return sibling.get() == node; }));
  return {};
}

bool MemoryRegistry::ValueExists(const platform::RegistryKey& key, const std::string& name) {
  Node* node = Key::Of(key).Live();
  return node && node->FindValue(name);
}

RegistryValue MemoryRegistry::ReadValue(const platform::RegistryKey& key, const std::string& name) {
  Node* node = Key::Of(key).Live();
  const Node::Value* value = node ? node->FindValue(name) : nullptr;
  if (!value) {
    return {};
  }
  if (value->unreadable) {
    return {RegistryValue::Status::kUnreadable, platform::kRegNone, {}};
  }
  return {RegistryValue::Status::kFound, value->type, value->data};
}

bool MemoryRegistry::WriteString(const platform::RegistryKey& key, const std::string& name,
                                 const std::string& text) {
  Node* node = Key::Of(key).Writable();
  if (!node) {
    return false;
  }
  Node::Value* value = node->FindValue(name);
  if (!value) {
    value = &node->values.emplace_back();
    value->name = name;
  }
  value->type = platform::kRegString;
  value->data = text + '\0';
  value->unreadable = false;
  return true;
}

bool MemoryRegistry::DeleteValue(const platform::RegistryKey& key, const std::string& name) {
  Node* node = Key::Of(key).Writable();
  if (!node) {
    return false;
  }
  const auto value = std::find_if(node->values.begin(), node->values.end(),
                                  [&](const Node::Value& v) { return SameName(v.name, name); });
  if (value == node->values.end()) {
    return false;
  }
  node->values.erase(value);
  return true;
}

void MemoryRegistry::AddKey(RegistryRoot root, const std::string& path) {
  if (!Create(BaseNode(root), path)) {
    throw std::out_of_range("cannot create registry key " + path);
  }
}

void MemoryRegistry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                              std::uint32_t type, const std::string& data) {
  AddKey(root, path);
  Node& node = At(root, path);
  Node::Value* value = node.FindValue(name);
  if (!value) {
    value = &node.values.emplace_back();
    value->name = name;
  }
  value->type = type;
  value->data = data;
}

bool MemoryRegistry::HasKey(RegistryRoot root, const std::string& path) const {
  return Find(BaseNode(root), path) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::Value(RegistryRoot root, const std::string& path,
                                                   const std::string& name) const {
  const Node::Value* value = At(root, path).FindValue(name);
  if (!value) {
    return std::nullopt;
  }
  return RegistryValue{RegistryValue::Status::kFound, value->type, value->data};
}

void MemoryRegistry::DenyFullAccess(RegistryRoot root, const std::string& path) {
  At(root, path).denyFullAccess = true;
}

void MemoryRegistry::SetUnreadable(RegistryRoot root, const std::string& path,
                                   const std::string& name) {
  Node::Value* value = At(root, path).FindValue(name);
  if (!value) {
    throw std::out_of_range("no registry value " + name);
  }
  value->unreadable = true;
}

}  // namespace nexolant
