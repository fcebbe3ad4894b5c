#pragma once

#include <string_view>

// Files signed by the openssl command line when the tree is built (tests/CMakeLists.txt), with
// the test key pairs made when it was configured: what a server of updates would publish.
namespace nexolant::testing {

std::string_view TestUpdateKey();   // the public key (PEM) of the signing test pair
std::string_view OtherUpdateKey();  // the public key (PEM) of the other test pair

std::string_view SignedReference();      // the tree's Reference.dat
std::string_view ReferenceSignature();   // of SignedReference by the signing test key
std::string_view OtherKeysSignature();   // of SignedReference by the other test key
std::string_view OtherFilesSignature();  // of data/reference.ini by the signing test key

}  // namespace nexolant::testing
