// The indexed signature lookup against the plain linear walk: the input's lines are the
// patterns, its last line the name; both must give the same index or both "Invalid mask".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/portable/cp1252_locale.h"
#include "reference/signature_list.h"
#include "support/linear_find_signature.h"

namespace {

constexpr int kRaised = -2;
constexpr std::size_t kMaxPatterns = 256;

template <typename Lookup>
int Outcome(Lookup lookup) {
  try {
    return lookup();
  } catch (const nexolant::InvalidMask&) {
    return kRaised;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nexolant::platform::Cp1252Locale locale;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  nexolant::StringList patterns;
  for (std::size_t end = input.find('\n');
       end != std::string_view::npos && patterns.size() < kMaxPatterns; end = input.find('\n')) {
    patterns.emplace_back(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  const std::string name(input);

  nexolant::SignatureList list;
  list.Assign(patterns, locale);
  const int linear = Outcome([&] { return nexolant::LinearFindSignature(name, patterns, locale); });
  const int indexed = Outcome([&] { return list.Find(name); });
  if (linear != indexed) {
    std::fprintf(stderr, "%zu patterns: linear %d, indexed %d\n", patterns.size(), linear, indexed);
    std::abort();
  }
  return 0;
}
