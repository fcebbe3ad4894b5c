#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

namespace nexolant {

// The user's language as four upper-case hexadecimal digits: the end of the current user's
// resource locale or, when that key cannot be opened, of the default user's locale. Empty
// when neither can be read.
std::string UserLanguageCode(platform::Registry& registry);

// The folder dialog's instruction text for a language code; the default row's text for a
// code the table does not hold.
std::string FolderDialogInstruction(std::string_view languageCode);

}  // namespace nexolant
