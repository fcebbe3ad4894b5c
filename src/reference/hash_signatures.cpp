#include "reference/hash_signatures.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "ini/ini_text_lines.h"
#include "platform/ascii.h"

namespace nexolant {
namespace {

constexpr std::size_t kDigestDigits = 64;

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

struct ParsedLine {
  HashLineFault fault = HashLineFault::kNone;
  HashSignature signature{};
};

ParsedLine Parse(std::string_view line) {
  const std::size_t equals = line.find('=');
  const std::string_view key = line.substr(0, equals);
  const std::size_t colon = key.find(':');
  if (equals == std::string_view::npos || colon == std::string_view::npos) {
    return {.fault = HashLineFault::kNoSize};
  }
  const std::string_view size = key.substr(0, colon);
  const std::string_view digest = key.substr(colon + 1);
  if (size.empty() ||
      !std::all_of(size.begin(), size.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return {.fault = HashLineFault::kBadSize};
  }
  ParsedLine parsed;
  if (std::from_chars(size.data(), size.data() + size.size(), parsed.signature.size).ec ==
      std::errc::result_out_of_range) {
    return {.fault = HashLineFault::kSizeOverflow};
  }
  if (parsed.signature.size == 0) {
    return {.fault = HashLineFault::kZeroSize};
  }
  if (digest.size() != kDigestDigits || !std::all_of(digest.begin(), digest.end(), IsHexDigit)) {
    return {.fault = HashLineFault::kBadDigest};
  }
  parsed.signature.sha256 = platform::AsciiLowerCase(digest);
  parsed.signature.description = std::string(line.substr(equals + 1));
  return parsed;
}

}  // namespace

std::string HashLineFaultText(HashLineFault fault, std::string_view line) {
  const std::string key = "\"" + std::string(line.substr(0, line.find('='))) + "\"";
  switch (fault) {
    case HashLineFault::kNone:
      return "";
    case HashLineFault::kNoSize:
      return "hash signature " + key + " is not SIZE:SHA256";
    case HashLineFault::kBadSize:
      return "hash signature " + key + " has no size in decimal digits";
    case HashLineFault::kZeroSize:
      return "hash signature " + key + " has size 0";
    case HashLineFault::kSizeOverflow:
      return "hash signature " + key + " has a size too large for any file";
    case HashLineFault::kBadDigest:
      return "hash signature " + key + " has no SHA-256 of 64 hexadecimal digits";
    case HashLineFault::kRepeated:
      return "hash signature " + key + " repeats an earlier one";
    case HashLineFault::kConflict:
      return "hash signature " + key + " names a file an earlier one describes otherwise";
  }
  return "";
}

HashSignatures::Added HashSignatures::Add(std::string_view line) {
  ParsedLine parsed = Parse(line);
  if (parsed.fault != HashLineFault::kNone) {
    return {.fault = parsed.fault};
  }
  HashSignature& signature = parsed.signature;
  if (const HashSignature* known = Find(signature.size, signature.sha256)) {
    const auto index = static_cast<std::size_t>(known - signatures_.data());
    return {.fault = known->description == signature.description ? HashLineFault::kRepeated
                                                                 : HashLineFault::kConflict,
            .index = index};
  }
  bySize_[signature.size].push_back(static_cast<std::uint32_t>(signatures_.size()));
  signatures_.push_back(std::move(signature));
  return {.index = signatures_.size() - 1};
}

HashSignatures HashSignatures::FromLines(const std::vector<std::string>& lines) {
  HashSignatures signatures;
  for (const std::string& line : lines) {
    signatures.Add(line);
  }
  return signatures;
}

const HashSignature* HashSignatures::Find(std::uint64_t size, std::string_view sha256) const {
  const auto found = bySize_.find(size);
  if (found == bySize_.end()) {
    return nullptr;
  }
  for (const std::uint32_t index : found->second) {
    if (signatures_[index].sha256 == sha256) {
      return &signatures_[index];
    }
  }
  return nullptr;
}

std::vector<HashLineProblem> HashSectionFaults(std::string_view plainText,
                                               const platform::Locale& locale) {
  std::vector<HashLineProblem> problems;
  HashSignatures signatures;
  std::vector<int> lineOf;  // the line of each signature added
  enum class Place { kBefore, kInside, kAfter } place = Place::kBefore;
  for (const IniTextLine& line : SplitIniText(plainText).lines) {
    const std::string& text = line.text;
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
      if (place == Place::kInside) {
        place = Place::kAfter;
      } else if (place == Place::kBefore &&
                 locale.SameText(std::string_view(text).substr(1, text.size() - 2),
                                 kFileHashesSection)) {
        place = Place::kInside;
      }
      continue;
    }
    if (place != Place::kInside || text.find('=') == std::string::npos) {
      continue;
    }
    const HashSignatures::Added added = signatures.Add(text);
    if (added.fault == HashLineFault::kNone) {
      lineOf.push_back(line.number);
      continue;
    }
    std::string reason = HashLineFaultText(added.fault, text);
    if (added.fault == HashLineFault::kRepeated || added.fault == HashLineFault::kConflict) {
      reason += " (line " + std::to_string(lineOf[added.index]) + ")";
    }
    problems.push_back({.line = line.number, .fault = added.fault, .text = std::move(reason)});
  }
  return problems;
}

}  // namespace nexolant
