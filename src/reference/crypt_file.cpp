#include "reference/crypt_file.h"

#include <cstdint>

namespace nexolant {

bool CipherFile(platform::FileSystem& files, const platform::Path& source,
                const platform::Path& target, ReferenceKey key, bool encipher) {
  const std::string input = files.ReadWholeFile(source);
  std::string output(input.size(), '\0');
  const auto* in = reinterpret_cast<const std::uint8_t*>(input.data());
  auto* out = reinterpret_cast<std::uint8_t*>(output.data());
  const bool transformed = encipher ? EncipherBytes(in, input.size(), out, output.size(), key)
                                    : DecipherBytes(in, input.size(), out, output.size(), key);
  files.WriteWholeFile(target, output);
  return transformed;
}

bool DecipherFile(platform::FileSystem& files, const platform::Path& source,
                  const platform::Path& target, ReferenceKey key) {
  return CipherFile(files, source, target, key, false);
}

}  // namespace nexolant
