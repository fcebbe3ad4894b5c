#include "nexref/signing_commands.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "nexref/ec_keys.h"
#include "platform/openssl/openssl_signature_verifier.h"

namespace nexolant::nexref {
namespace {

// The contents of file, or a message to err and nothing when it is missing.
std::optional<std::string> ReadExisting(const std::string& file, std::ostream& err,
                                        const NexrefServices& services) {
  if (!services.files.FileExists(file)) {
    err << "nexref: cannot find the file " << file << "\n";
    return std::nullopt;
  }
  return services.files.ReadWholeFile(file);
}

}  // namespace

int RunKeygen(const std::string& privateFile, const std::string& publicFile, std::ostream& err,
              const NexrefServices& services) {
  for (const std::string& file : {privateFile, publicFile}) {
    if (services.files.FileExists(file)) {
      err << "nexref: " << file << " exists already; keygen replaces no key\n";
      return kExitError;
    }
  }
  const KeyPairPem keys = GenerateKeyPair();
  // The private key is written only once its file is closed to everyone else.
  services.files.WriteWholeFile(privateFile, "");
  std::error_code ignored;
  std::filesystem::permissions(
      privateFile, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
      ignored);
  services.files.WriteWholeFile(privateFile, keys.privatePem);
  services.files.WriteWholeFile(publicFile, keys.publicPem);
  return kExitOk;
}

int RunSign(const std::string& privateFile, const std::string& referenceFile, std::ostream& err,
            const NexrefServices& services) {
  const std::optional<std::string> key = ReadExisting(privateFile, err, services);
  const std::optional<std::string> reference =
      key ? ReadExisting(referenceFile, err, services) : std::nullopt;
  if (!reference) {
    return kExitError;
  }
  std::string signature;
  try {
    signature = SignData(*key, *reference);
  } catch (const std::runtime_error& error) {
    err << "nexref: " << privateFile << ": " << error.what() << "\n";
    return kExitError;
  }
  services.files.ReplaceWholeFile(referenceFile + ".sig", signature);
  return kExitOk;
}

int RunVerify(const std::string& publicFile, const std::string& referenceFile, std::ostream& out,
              std::ostream& err, const NexrefServices& services) {
  const std::string signatureFile = referenceFile + ".sig";
  const std::optional<std::string> key = ReadExisting(publicFile, err, services);
  const std::optional<std::string> reference =
      key ? ReadExisting(referenceFile, err, services) : std::nullopt;
  const std::optional<std::string> signature =
      reference ? ReadExisting(signatureFile, err, services) : std::nullopt;
  if (!signature) {
    return kExitError;
  }
  if (!openssl::OpenSslSignatureVerifier().Verify(*key, *reference, *signature)) {
    err << "nexref: " << signatureFile << " is no signature of " << referenceFile
        << " by the key in " << publicFile << "\n";
    return kExitError;
  }
  out << signatureFile << ": a valid signature of " << referenceFile << "\n";
  return kExitOk;
}

}  // namespace nexolant::nexref
