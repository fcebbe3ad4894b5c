#include "nexref/cipher_commands.h"

#include <cstdint>

#include "reference/crypt.h"

namespace nexolant::nexref {
namespace {

using Transform = bool (*)(const std::uint8_t*, std::size_t, std::uint8_t*, std::size_t,
                           ReferenceKey);

// Reads source whole, transforms it with the shipped key and replaces target with the result
// in one step, so that target never holds a partial output.
int TransformFile(const std::string& source, const std::string& target, Transform transform,
                  std::ostream& err, const NexrefServices& services) {
  if (!services.files.FileExists(source)) {
    err << "nexref: cannot find the file " << source << "\n";
    return kExitError;
  }
  const std::string input = services.files.ReadWholeFile(source);
  // Output and input have the same length, so the transform cannot refuse.
  std::string output(input.size(), '\0');
  transform(reinterpret_cast<const std::uint8_t*>(input.data()), input.size(),
            reinterpret_cast<std::uint8_t*>(output.data()), output.size(), ShippedReferenceKey());
  services.files.ReplaceWholeFile(target, output);
  return kExitOk;
}

}  // namespace

int RunBuild(const std::string& plainFile, const std::string& referenceFile, std::ostream& err,
             const NexrefServices& services) {
  return TransformFile(plainFile, referenceFile, EncipherBytes, err, services);
}

int RunDecipher(const std::string& referenceFile, const std::string& plainFile, std::ostream& err,
                const NexrefServices& services) {
  return TransformFile(referenceFile, plainFile, DecipherBytes, err, services);
}

}  // namespace nexolant::nexref
