#pragma once

#include <string>

#include "platform/path.h"

namespace nexolant::platform {

// Who signed a file, as the system's trust check found it.
struct Publisher {
  enum State {
    kSigned,     // a valid signature, of the signer named
    kInvalid,    // a signature that does not verify: changed bytes, an untrusted or bad chain
    kNotSigned,  // no signature of its own and none in the system's catalogs
  };
  State state = kNotSigned;
  std::string name;  // the signer's name from its certificate, UTF-8; empty unless kSigned

  bool operator==(const Publisher&) const = default;
};

// What the system says of a file's signature and of its being the system's own. Revocation is
// never looked up and nothing is fetched from the network, so each answer costs local work
// only; still, it reads the whole file, so it is asked of what a scan found, not of every entry
// a walk passes. A path that cannot be opened, or names a link, is not signed and not vouched
// for.
class SignatureEvidence {
 public:
  virtual ~SignatureEvidence() = default;

  // The file's own embedded signature when it has one, else the signature of a system catalog
  // that lists the file's hash.
  virtual Publisher PublisherOf(const Path& path) const = 0;

  // True when Windows declares the file its own: its file protection guards it, or a system
  // catalog lists it under a signature for Windows components that ends at a Windows product
  // root.
  virtual bool WindowsVouchesFor(const Path& path) const = 0;
};

}  // namespace nexolant::platform
