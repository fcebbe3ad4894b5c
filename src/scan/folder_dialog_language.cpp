#include "scan/folder_dialog_language.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/ascii.h"
#include "registry/t_registry.h"

namespace nexolant {
namespace {

using platform::RegistryAccess;
using platform::RegistryRoot;

// Language code and instruction text, in the table's order.
constexpr std::array<std::pair<std::string_view, std::string_view>, 22> kInstructions{{
    {"Default", "Current folder:"},
    {"0009", "Current folder:"},
    {"0406", "Valgt mappe:"},
    {"0407", "Ausgew\xE4hlter Ordner:"},
    {"0409", "Current folder:"},
    {"0410", "Cartella selezionata:"},
    {"0413", "Huidige map"},
    {"0416", "Pasta Atual:"},
    {"0807", "Ausgew\xE4hlter Ordner:"},
    {"0809", "Current folder:"},
    {"0810", "Cartella selezionata:"},
    {"0C07", "Ausgew\xE4hlter Ordner:"},
    {"0C09", "Current folder:"},
    {"1007", "Ausgew\xE4hlter Ordner:"},
    {"1009", "Current folder:"},
    {"1407", "Ausgew\xE4hlter Ordner:"},
    {"1409", "Current folder:"},
    {"1809", "Current folder:"},
    {"1C09", "Current folder:"},
    {"2009", "Current folder:"},
    {"2809", "Current folder:"},
    {"2C09", "Current folder:"},
}};

// A value that is missing or not text reads as empty: the language then falls back to the
// default row instead of failing the window's creation.
std::string ReadText(TRegistry& key, const std::string& name) {
  try {
    return key.ReadString(name);
  } catch (const RegistryError&) {
    return {};
  }
}

std::string LastFourUpperCase(const std::string& text) {
  return platform::AsciiUpperCase(
      std::string_view(text).substr(text.size() - std::min<std::size_t>(text.size(), 4)));
}

}  // namespace

std::string UserLanguageCode(platform::Registry& registry) {
  TRegistry key(registry, RegistryAccess::kRead);
  key.SetRootKey(RegistryRoot::kCurrentUser);
  if (key.OpenKey("\\Control Panel\\Desktop\\ResourceLocale", false)) {
    return LastFourUpperCase(ReadText(key, ""));
  }
  key.SetRootKey(RegistryRoot::kUsers);
  if (key.OpenKey("\\.DEFAULT\\Control Panel\\International", false)) {
    return LastFourUpperCase(ReadText(key, "Locale"));
  }
  return {};
}

std::string FolderDialogInstruction(std::string_view languageCode) {
  for (const auto& [code, text] : kInstructions) {
    if (code == languageCode) {
      return std::string(text);
    }
  }
  return std::string(kInstructions.front().second);
}

}  // namespace nexolant
