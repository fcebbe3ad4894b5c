#pragma once

#include <memory>

#include "platform/signature_evidence.h"

namespace nexolant::win32 {

// SignatureEvidence on WinVerifyTrust, the catalog administrator of wintrust and the file
// protection of sfc, with calls Windows 7 has; the catalogs of Windows 8 and later, which
// list files by SHA-256, are read where the system offers the calls for them. The libraries
// are bound at run time from the system folder when the object is made and kept while it
// lives; where one is missing every file is not signed and not vouched for.
class Win32SignatureEvidence final : public platform::SignatureEvidence {
 public:
  Win32SignatureEvidence();
  ~Win32SignatureEvidence() override;

  platform::Publisher PublisherOf(const platform::Path& path) const override;
  bool WindowsVouchesFor(const platform::Path& path) const override;

  class TrustLibraries;  // wintrust, crypt32 and sfc with their functions, in the source file

 private:
  std::unique_ptr<const TrustLibraries> libraries_;
};

}  // namespace nexolant::win32
