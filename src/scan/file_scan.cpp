#include "scan/file_scan.h"

#include <utility>

#include "reference/find_signature.h"

namespace nexolant {

std::string StripLastChar(std::string_view text) {
  return std::string(text.substr(0, text.empty() ? 0 : text.size() - 1));
}

void FileScan::RecurseDirFileFound(TRecurseDir& sender, const std::string& fileName) {
  pump_.ProcessMessages();
  results_.ShowCurrent(fileName);
  results_.CountScanned();
  // The folder part ends at the last "\" or ":"; the bare name is what follows it.
  const std::size_t cut = fileName.find_last_of("\\:") + 1;
  const std::string_view name = std::string_view(fileName).substr(cut);
  const SignatureTables& tables = signatures_.Tables();
  const int index = FindActiveSignature(name, tables.ScanFileNames, pump_);
  // A file known by its name and its content is one row, with the name's description.
  const std::string* description =
      index >= 0 ? &tables.ScanFileDescriptions.at(index) : KnownContent(sender, fileName);
  // Only a match is asked about: the policy's answer costs calls of the file services.
  if (description != nullptr && !IsProtected(sender, fileName)) {
    // The name is matched and shown as its ANSI text; Repair acts on the exact path.
    const std::string& exactPath = sender.ExactFileName();
    const std::size_t exactCut = exactPath.rfind('\\');
    ExactFilePath exact;
    if (exactCut != std::string::npos) {
      exact = {exactPath.substr(0, exactCut), exactPath.substr(exactCut + 1)};
    }
    if (ignored_.KeepsFile({fileName, exact.Empty() ? std::string() : exactPath})) {
      pump_.ProcessMessages();
      return;
    }
    results_.AddRow(
        RowKind::kFile,
        {std::string(name), StripLastChar(std::string_view(fileName).substr(0, cut)), *description},
        std::move(exact));
  }
  pump_.ProcessMessages();
}

// A Stop abandons the hash of the file being read; the walk then ends before the next entry.
const std::string* FileScan::KnownContent(TRecurseDir& sender, const std::string& fileName) {
  const HashSignatures& known = signatures_.Tables().FileHashes;
  const platform::FindData* entry = sender.FoundEntry();
  if (entry == nullptr || !known.KnowsSize(entry->size)) {
    return nullptr;
  }
  const HashSignature* found =
      FindKnownContent(content_, known, platform::Path(fileName, sender.ExactFileName()),
                       entry->size, [&sender] { return sender.Stopped(); });
  return found != nullptr ? &found->description : nullptr;
}

// The walker names each entry as its start folder, "\" and the names it listed, and enters only
// plain folders, so the start folder's checks hold for all of them. The policy's full check of
// a path asks the file services about every folder on the way, which under Wine costs more
// than a millisecond per match.
bool FileScan::IsProtected(const TRecurseDir& sender, const std::string& fileName) {
  std::string start = sender.Directory();
  if (!start.ends_with('\\')) {
    start += '\\';
  }
  if (!fileName.starts_with(start)) {
    return protection_.IsProtectedPath(fileName);
  }
  if (!walkStart_) {
    walkStart_ = protection_.WalkStartOf(sender.Directory());
  }
  return protection_.IsProtectedBelow(*walkStart_, std::string_view(fileName).substr(start.size()));
}

}  // namespace nexolant
