// Registration files both ways. Any file text: the reader stays in bounds, and what it reads
// is written again and read back the same. Any tree the registry can hold: written, then read,
// gives the same tree and place.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "registry/key_path.h"
#include "registry/registration_file.h"

namespace {

using nexolant::KeyTree;
using nexolant::SavedKey;
using nexolant::platform::WideString;

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// Text of the input's code units; those a name cannot hold become "x".
WideString Name(FuzzedDataProvider& input, std::size_t longest, bool keyName) {
  WideString name(input.ConsumeIntegralInRange<std::size_t>(keyName ? 1 : 0, longest), u'x');
  for (char16_t& unit : name) {
    const auto candidate = input.ConsumeIntegral<char16_t>();
    if (candidate != u'\0' && candidate != u'\r' && candidate != u'\n' &&
        !(keyName && candidate == u'\\')) {
      unit = candidate;
    }
  }
  return name;
}

// A tree whose names are unique within their key: each ends in its place among its siblings.
KeyTree Tree(FuzzedDataProvider& input, int depth) {
  KeyTree tree;
  tree.name = Name(input, 8, true);
  const auto values = input.ConsumeIntegralInRange<int>(0, 5);
  for (int i = 0; i < values; ++i) {
    WideString name = i == 0 ? WideString() : Name(input, 8, false) + char16_t(u'0' + i);
    const auto type = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::uint32_t>(0, 11)
                                          : input.ConsumeIntegral<std::uint32_t>();
    tree.values.push_back({std::move(name), type, input.ConsumeRandomLengthString(200)});
  }
  const auto subkeys = depth < 3 ? input.ConsumeIntegralInRange<int>(0, 3) : 0;
  for (int i = 0; i < subkeys; ++i) {
    tree.subkeys.push_back(Tree(input, depth + 1));
    tree.subkeys.back().name.append(1, char16_t(u'0' + i));
  }
  return tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool()) {
    const auto read = nexolant::ReadRegistrationFile(input.ConsumeRemainingBytesAsString());
    Require(read.key.has_value() == read.problem.empty());
    if (read.key) {
      const auto written = nexolant::WriteRegistrationFile(*read.key);
      Require(written.ok());
      Require(nexolant::ReadRegistrationFile(written.bytes).key == read.key);
    }
    return 0;
  }
  SavedKey saved;
  saved.root = static_cast<nexolant::platform::RegistryRoot>(input.ConsumeIntegralInRange(0, 3));
  for (auto parents = input.ConsumeIntegralInRange(0, 2); parents > 0; --parents) {
    saved.parentPath = nexolant::JoinKeyPath(saved.parentPath, Name(input, 6, true));
  }
  saved.tree = Tree(input, 0);
  const auto written = nexolant::WriteRegistrationFile(saved);
  Require(written.ok());
  Require(nexolant::ReadRegistrationFile(written.bytes).key == saved);
  return 0;
}
