#include "fakes/memory_registry.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/ascii.h"
#include "platform/errors.h"
#include "registry/key_path.h"

namespace nexolant {

using platform::KeyBase;
using platform::NameListResult;
using platform::OpenedKey;
using platform::Outcome;
using platform::RegistryAccess;
using platform::RegistryRoot;
using platform::RegistryValue;
using platform::ValueReadResult;

namespace {

using platform::WideString;

// The fake system's ANSI code page is ISO 8859-1, whose bytes are the first 256 code points;
// any other character becomes "?", as the system's conversion makes it.
WideString Widen(const std::string& text) {
  WideString wide;
  for (const char c : text) {
    wide += static_cast<char16_t>(static_cast<unsigned char>(c));
  }
  return wide;
}

std::string Narrow(const WideString& text) {
  std::string narrow;
  for (const char16_t c : text) {
    narrow += c < 0x100 ? static_cast<char>(c) : '?';
  }
  return narrow;
}

bool IsTextType(std::uint32_t type) {
  return type == platform::kRegString || type == platform::kRegExpandString ||
         type == platform::kRegMultiString;
}

// Text values are kept as the system keeps them, in UTF-16; the ANSI operations convert.
std::string WideBytes(const std::string& ansi) {
  std::string bytes;
  for (const char c : ansi) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

std::string AnsiBytes(const std::string& wide) {
  WideString text;
  for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(wide[i]) |
                                  static_cast<unsigned char>(wide[i + 1]) << 8);
  }
  return Narrow(text);
}

char16_t UpperChar(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Compared in place, without upper-cased copies: every step of a key's path compares names.
bool SameName(const WideString& a, const WideString& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return UpperChar(x) == UpperChar(y); });
}

// The order of the upper-cased names, in which a key keeps its subkeys.
bool UpperLess(const WideString& a, const WideString& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char16_t x, char16_t y) { return UpperChar(x) < UpperChar(y); });
}

// The names of a path, none for the empty path; nothing when one of them is empty.
std::optional<std::vector<WideString>> SplitPath(const WideString& path) {
  return path.empty() ? std::vector<WideString>{} : SplitKeyPath(path);
}

// Links that lead to links are followed this many times, then the path counts as missing.
constexpr int kLinkHopLimit = 16;

}  // namespace

struct MemoryRegistry::Node : std::enable_shared_from_this<Node> {
  struct Value {
    WideString name;
    std::uint32_t type = platform::kRegNone;
    std::string data;
    bool unreadable = false;
  };
  struct Link {
    RegistryRoot root;
    WideString path;
  };

  WideString name;
  Node* parent = nullptr;
  std::vector<std::shared_ptr<Node>> children;  // sorted by upper-cased name
  std::vector<Value> values;
  bool denyFullAccess = false;
  bool deleted = false;
  std::optional<Link> link;

  Node* Child(const WideString& childName) const {
    const auto place = std::lower_bound(
        children.begin(), children.end(), childName,
        [](const auto& child, const WideString& name) { return UpperLess(child->name, name); });
    return place != children.end() && SameName((*place)->name, childName) ? place->get() : nullptr;
  }

  Node* AddChild(const WideString& childName) {
    auto child = std::make_shared<Node>();
    child->name = childName;
    child->parent = this;
    const auto place = std::upper_bound(
        children.begin(), children.end(), childName,
        [](const WideString& name, const auto& other) { return UpperLess(name, other->name); });
    return children.insert(place, std::move(child))->get();
  }

  Value* FindValue(const WideString& valueName) {
    for (Value& value : values) {
      if (SameName(value.name, valueName)) {
        return &value;
      }
    }
    return nullptr;
  }

  Value& SetValue(const WideString& valueName) {
    Value* value = FindValue(valueName);
    if (!value) {
      value = &values.emplace_back();
      value->name = valueName;
    }
    value->unreadable = false;
    return *value;
  }

  std::string Path() const {
    if (!parent || !parent->parent) {
      return Narrow(name);
    }
    return parent->Path() + "\\" + Narrow(name);
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
  // The error of an operation that needs the node Live() or Writable() did not give.
  std::uint32_t Refusal() const {
    return node_->deleted ? platform::kErrorKeyDeleted : platform::kErrorAccessDenied;
  }

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
  return Find(base, Widen(path), platform::LinkHandling::kFollow, 0);
}

MemoryRegistry::Node* MemoryRegistry::Find(Node* base, const WideString& path,
                                           platform::LinkHandling links, int hops) const {
  const auto names = SplitPath(path);
  if (!base || !names) {
    return nullptr;
  }
  Node* node = base;
  for (std::size_t i = 0; i < names->size() && node; ++i) {
    node = node->Child((*names)[i]);
    const bool openItself =
        i + 1 == names->size() && links == platform::LinkHandling::kOpenLinkItself;
    if (node && node->link && !openItself) {
      node = Follow(*node, hops);
    }
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::Follow(const Node& link, int hops) const {
  if (hops >= kLinkHopLimit) {
    return nullptr;
  }
  return Find(roots_[static_cast<std::size_t>(link.link->root)].get(), link.link->path,
              platform::LinkHandling::kFollow, hops + 1);
}

MemoryRegistry::Node* MemoryRegistry::Create(Node* base, const std::string& path) {
  bool created = false;
  return Create(base, Widen(path), created);
}

MemoryRegistry::Node* MemoryRegistry::Create(Node* base, const WideString& path, bool& created) {
  const auto names = SplitPath(path);
  if (!base || !names) {
    return nullptr;
  }
  Node* node = base;
  for (const WideString& name : *names) {
    Node* child = node->Child(name);
    created = !child;
    if (!child) {
      if (node->denyFullAccess) {
        return nullptr;
      }
      child = node->AddChild(name);
    } else if (child->link && !(child = Follow(*child, 0))) {
      return nullptr;
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
                                            RegistryAccess access, platform::LinkHandling links) {
  ++openCount_;
  Node* node = Find(BaseNode(base), Widen(path), links, 0);
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

platform::Outcome MemoryRegistry::DeleteKey(KeyBase base, const std::string& path) {
  Node* node = path.empty() ? nullptr : Find(BaseNode(base), path);
  if (!node || !node->children.empty() || node->denyFullAccess) {
    return platform::Outcome::Failure(node ? platform::kErrorAccessDenied
                                           : platform::kErrorFileNotFound);
  }
  Remove(*node);
  return {};
}

void MemoryRegistry::Remove(Node& node) {
  deletedKeys_.push_back(node.Path());
  node.deleted = true;
  auto& siblings = node.parent->children;
  siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                              [&](const auto& sibling) { return sibling.get() == &node; }));
}

bool MemoryRegistry::ValueExists(const platform::RegistryKey& key, const std::string& name) {
  Node* node = Key::Of(key).Live();
  return node && node->FindValue(Widen(name));
}

RegistryValue MemoryRegistry::ReadValue(const platform::RegistryKey& key, const std::string& name) {
  const ValueReadResult value = ReadValueWide(key, Widen(name));
  if (value.error == platform::kErrorFileNotFound) {
    return {};
  }
  if (value.error != 0) {
    return {RegistryValue::Status::kUnreadable, platform::kRegNone, {}};
  }
  return {RegistryValue::Status::kFound, value.type,
          IsTextType(value.type) ? AnsiBytes(value.bytes) : value.bytes};
}

OpenedKey MemoryRegistry::OpenKeyWide(KeyBase base, const WideString& path, RegistryAccess access,
                                      platform::LinkHandling links) {
  ++openCount_;
  Node* from = BaseNode(base);
  Node* node = Find(from, path, links, 0);
  if (!node) {
    return {nullptr, from ? platform::kErrorFileNotFound : platform::kErrorKeyDeleted};
  }
  if (node->denyFullAccess && access == RegistryAccess::kFull) {
    return {nullptr, platform::kErrorAccessDenied};
  }
  return {std::make_unique<Key>(node->shared_from_this(), access, openKeys_)};
}

OpenedKey MemoryRegistry::CreateKeyWide(KeyBase base, const WideString& path,
                                        RegistryAccess access) {
  Node* from = BaseNode(base);
  bool created = false;
  Node* node = Create(from, path, created);
  if (!node || (node->denyFullAccess && access == RegistryAccess::kFull)) {
    return {nullptr, from ? platform::kErrorAccessDenied : platform::kErrorKeyDeleted};
  }
  return {std::make_unique<Key>(node->shared_from_this(), access, openKeys_), 0, created};
}

NameListResult MemoryRegistry::SubkeyNamesWide(const platform::RegistryKey& key) {
  const Node* node = Key::Of(key).Live();
  if (!node) {
    return {{}, platform::kErrorKeyDeleted};
  }
  NameListResult result;
  for (const auto& child : node->children) {
    result.names.push_back(child->name);
  }
  return result;
}

NameListResult MemoryRegistry::ValueNamesWide(const platform::RegistryKey& key) {
  const Node* node = Key::Of(key).Live();
  if (!node) {
    return {{}, platform::kErrorKeyDeleted};
  }
  NameListResult result;
  for (const Node::Value& value : node->values) {
    result.names.push_back(value.name);
  }
  return result;
}

ValueReadResult MemoryRegistry::ReadValueWide(const platform::RegistryKey& key,
                                              const WideString& name) {
  Node* node = Key::Of(key).Live();
  if (!node) {
    return {platform::kRegNone, {}, platform::kErrorKeyDeleted};
  }
  const Node::Value* value = node->FindValue(name);
  if (!value) {
    return {platform::kRegNone, {}, platform::kErrorFileNotFound};
  }
  if (value->unreadable) {
    return {platform::kRegNone, {}, platform::kErrorAccessDenied};
  }
  return {value->type, value->data, 0};
}

Outcome MemoryRegistry::WriteValueWide(const platform::RegistryKey& key, const WideString& name,
                                       std::uint32_t type, const std::string& bytes) {
  const Key& open = Key::Of(key);
  Node* node = open.Writable();
  if (!node) {
    return Outcome::Failure(open.Refusal());
  }
  Node::Value& value = node->SetValue(name);
  value.type = type;
  value.data = bytes;
  return {};
}

Outcome MemoryRegistry::DeleteValueWide(const platform::RegistryKey& key, const WideString& name) {
  const Key& open = Key::Of(key);
  Node* node = open.Writable();
  if (!node) {
    return Outcome::Failure(open.Refusal());
  }
  const auto value = std::find_if(node->values.begin(), node->values.end(),
                                  [&](const Node::Value& v) { return SameName(v.name, name); });
  if (value == node->values.end()) {
    return Outcome::Failure(platform::kErrorFileNotFound);
  }
  node->values.erase(value);
  return {};
}

Outcome MemoryRegistry::DeleteOpenedKey(const platform::RegistryKey& key) {
  const Key& open = Key::Of(key);
  Node* node = open.Writable();
  if (!node) {
    return Outcome::Failure(open.Refusal());
  }
  if (!node->parent || !node->children.empty()) {
    return Outcome::Failure(platform::kErrorAccessDenied);
  }
  Remove(*node);
  return {};
}

void MemoryRegistry::AddKey(RegistryRoot root, const std::string& path) {
  if (!Create(BaseNode(root), path)) {
    throw std::out_of_range("cannot create registry key " + path);
  }
}

void MemoryRegistry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                              std::uint32_t type, const std::string& data) {
  AddKey(root, path);
  Node::Value& value = At(root, path).SetValue(Widen(name));
  value.type = type;
  value.data = IsTextType(type) ? WideBytes(data) : data;
}

void MemoryRegistry::AddLink(RegistryRoot root, const std::string& path, RegistryRoot targetRoot,
                             const std::string& targetPath) {
  const std::size_t split = path.rfind('\\');
  const std::string parentPath = split == std::string::npos ? "" : path.substr(0, split);
  AddKey(root, parentPath);
  Node& parent = At(root, parentPath);
  const WideString name = Widen(path.substr(split + 1));
  if (parent.Child(name)) {
    throw std::out_of_range("registry key " + path + " exists");
  }
  Node& link = *parent.AddChild(name);
  link.link = Node::Link{targetRoot, Widen(targetPath)};
  Node::Value& value = link.SetValue(u"SymbolicLinkValue");
  value.type = platform::kRegLink;
  value.data = WideBytes(targetPath);
}

bool MemoryRegistry::HasKey(RegistryRoot root, const std::string& path) const {
  return Find(BaseNode(root), path) != nullptr;
}

std::optional<RegistryValue> MemoryRegistry::Value(RegistryRoot root, const std::string& path,
                                                   const std::string& name) const {
  const Node::Value* value = At(root, path).FindValue(Widen(name));
  if (!value) {
    return std::nullopt;
  }
  return RegistryValue{RegistryValue::Status::kFound, value->type,
                       IsTextType(value->type) ? AnsiBytes(value->data) : value->data};
}

void MemoryRegistry::DenyFullAccess(RegistryRoot root, const std::string& path) {
  At(root, path).denyFullAccess = true;
}

void MemoryRegistry::SetUnreadable(RegistryRoot root, const std::string& path,
                                   const std::string& name) {
  Node::Value* value = At(root, path).FindValue(Widen(name));
  if (!value) {
    throw std::out_of_range("no registry value " + name);
  }
  value->unreadable = true;
}

WideString MemoryRegistry::WideSpelling(const std::string& ansi) {
  return Widen(ansi);
}

std::string MemoryRegistry::AnsiSpelling(const WideString& wide) {
  return Narrow(wide);
}

}  // namespace nexolant
