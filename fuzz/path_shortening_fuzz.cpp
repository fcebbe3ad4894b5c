// The status line's path shortening on any text: the result never exceeds the line's width, a
// path that fits is shown unchanged, and a shortened one either ends with the path's own last
// characters or is cut with "...".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scan/folder_dialog.h"
#include "scan/path_shortening.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  for (const std::size_t width : {nexolant::kFolderStatusWidth, std::size_t{8}}) {
    const std::string shown = nexolant::ShortenPath(path, width);
    if (shown.size() > width) {
      std::abort();
    }
    if (path.size() <= width && shown != path) {
      std::abort();
    }
    const bool cut = shown.ends_with("...");
    const std::string_view tail = std::string_view(shown).substr(shown.rfind('\\') + 1);
    if (!cut && !path.ends_with(tail) && !path.starts_with(shown)) {
      std::abort();
    }
  }
  return 0;
}
