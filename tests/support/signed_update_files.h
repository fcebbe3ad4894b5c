#pragma once

#include <string_view>

// Files signed by the openssl command line and by nexref when the tree is built
// (tests/CMakeLists.txt), with the test key pairs made when it was configured: what a server of
// updates would publish.
namespace nexolant::testing {

std::string_view TestUpdateKey();   // the public key (PEM) of the signing test pair
std::string_view OtherUpdateKey();  // the public key (PEM) of the other test pair

std::string_view SignedReference();      // the tree's Reference.dat
std::string_view ReferenceSignature();   // of SignedReference by the signing test key
std::string_view OtherKeysSignature();   // of SignedReference by the other test key
std::string_view OtherFilesSignature();  // of data/reference.ini by the signing test key
std::string_view ReferenceDigest();      // the SHA-256 of SignedReference, by openssl

// Version records (reference.dat.ver) dated 2025-03-01, made by nexref sign --version.
std::string_view RecordV5();          // SignedReference as version 5, by the signing test key
std::string_view RecordV7();          // ... as version 7
std::string_view RecordV8();          // ... as version 8
std::string_view RecordMax();         // ... as version 2147483647
std::string_view OtherKeysRecord();   // SignedReference as version 8, by the other test key
std::string_view OtherFilesRecord();  // data/reference.ini as version 8, by the signing key

}  // namespace nexolant::testing
