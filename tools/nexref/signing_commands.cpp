#include "nexref/signing_commands.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "nexref/ec_keys.h"
#include "platform/openssl/openssl_signature_verifier.h"
#include "reference/version_record.h"

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

// Checks the version record in recordFile as the program does, and prints its version and date.
int VerifyRecord(const std::string& key, const std::string& reference,
                 const std::string& recordFile, std::ostream& out, std::ostream& err,
                 const NexrefServices& services) {
  const openssl::OpenSslSignatureVerifier verifier;
  const ParsedVersionRecord parsed = ParseVersionRecord(services.files.ReadWholeFile(recordFile));
  const VersionRecord& record = parsed.record;
  if (parsed.problem != VersionRecordProblem::kNone) {
    err << "nexref: " << recordFile << " is no version record Nexolant can read\n";
    return kExitError;
  }
  if (!verifier.Verify(key, VersionRecordSignedText(record.version, record.sha256),
                       record.signature)) {
    err << "nexref: " << recordFile << " is not signed by the key\n";
    return kExitError;
  }
  if (verifier.Sha256(reference) != record.sha256) {
    err << "nexref: " << recordFile << " is the record of another file\n";
    return kExitError;
  }
  out << recordFile << ": version " << record.version.number << " of "
      << FormatCalendarDate(record.version.date) << ", a valid record of the file\n";
  return kExitOk;
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

int RunSign(const std::string& privateFile, const std::string& referenceFile,
            const std::optional<ReferenceVersion>& version, std::ostream& err,
            const NexrefServices& services) {
  const std::optional<std::string> key = ReadExisting(privateFile, err, services);
  const std::optional<std::string> reference =
      key ? ReadExisting(referenceFile, err, services) : std::nullopt;
  if (!reference) {
    return kExitError;
  }
  std::string signature;
  std::string record;
  try {
    signature = SignData(*key, *reference);
    if (version) {
      const std::optional<platform::Sha256Digest> digest =
          openssl::OpenSslSignatureVerifier().Sha256(*reference);
      if (!digest) {
        throw std::runtime_error("cannot make the SHA-256 of " + referenceFile);
      }
      record = VersionRecordText(*version, *digest,
                                 SignData(*key, VersionRecordSignedText(*version, *digest)));
    }
  } catch (const std::runtime_error& error) {
    err << "nexref: " << privateFile << ": " << error.what() << "\n";
    return kExitError;
  }
  services.files.ReplaceWholeFile(referenceFile + ".sig", signature);
  if (version) {
    services.files.ReplaceWholeFile(referenceFile + ".ver", record);
  } else {
    err << "nexref: warning: no --version given, so no " << referenceFile
        << ".ver: Nexolant takes no update without its version record\n";
  }
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
  const std::string recordFile = referenceFile + ".ver";
  if (!services.files.FileExists(recordFile)) {
    out << recordFile << ": none; Nexolant takes no update without it\n";
    return kExitOk;
  }
  return VerifyRecord(*key, *reference, recordFile, out, err, services);
}

}  // namespace nexolant::nexref
