#include "reference/version_record.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "platform/file_digest.h"
#include "platform/hex_text.h"

namespace nexolant {
namespace {

constexpr std::array<std::string_view, 4> kKeys = {"version", "date", "sha256", "signature"};

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// The bytes of an even, non-empty run of hexadecimal digits; none for anything else.
std::optional<std::string> BytesOfHex(std::string_view digits) {
  if (digits.empty() || digits.size() % 2 != 0) {
    return std::nullopt;
  }
  std::string bytes;
  for (std::size_t k = 0; k < digits.size(); k += 2) {
    const int high = HexValue(digits[k]);
    const int low = HexValue(digits[k + 1]);
    if (high < 0 || low < 0) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

// The lines of text, each without its line feed and a carriage return before it; none when
// the last line is not ended.
std::optional<std::vector<std::string_view>> EndedLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      return std::nullopt;
    }
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text.remove_prefix(end + 1);
  }
  return lines;
}

VersionRecordProblem RecordProblemOf(VersionTextProblem problem) {
  switch (problem) {
    case VersionTextProblem::kNone:
      return VersionRecordProblem::kNone;
    case VersionTextProblem::kTooLarge:
      return VersionRecordProblem::kVersionTooLarge;
    case VersionTextProblem::kNotADate:
      return VersionRecordProblem::kBadDate;
    case VersionTextProblem::kFutureDate:
      return VersionRecordProblem::kFutureDate;
    case VersionTextProblem::kNotANumber:
      break;
  }
  return VersionRecordProblem::kBadVersion;
}

}  // namespace

ParsedVersionRecord ParseVersionRecord(std::string_view text) {
  if (text.size() > kMaxVersionRecordSize) {
    return {.problem = VersionRecordProblem::kTooLong};
  }
  const std::optional<std::vector<std::string_view>> lines = EndedLines(text);
  if (!lines || lines->size() < kKeys.size()) {
    return {.problem = VersionRecordProblem::kIncomplete};
  }
  if (lines->size() > kKeys.size()) {
    return {.problem = VersionRecordProblem::kDamaged};
  }
  std::array<std::string_view, kKeys.size()> values;
  for (std::size_t k = 0; k < kKeys.size(); ++k) {
    const std::string_view line = (*lines)[k];
    if (line.size() <= kKeys[k].size() || line.substr(0, kKeys[k].size()) != kKeys[k] ||
        line[kKeys[k].size()] != '=') {
      return {.problem = VersionRecordProblem::kDamaged};
    }
    values[k] = line.substr(kKeys[k].size() + 1);
  }
  ParsedVersionRecord parsed;
  const ParsedNumber number = ParseVersionNumber(values[0]);
  const ParsedDate date = ParseCalendarDate(values[1]);
  if (number.problem != VersionTextProblem::kNone || date.problem != VersionTextProblem::kNone) {
    parsed.problem = RecordProblemOf(number.problem != VersionTextProblem::kNone ? number.problem
                                                                                 : date.problem);
    return parsed;
  }
  const std::optional<std::string> digest = BytesOfHex(values[2]);
  const std::optional<std::string> signature = BytesOfHex(values[3]);
  if (!digest || digest->size() != parsed.record.sha256.size() || !signature ||
      signature->size() > platform::kMaxSignatureSize) {
    return {.problem = VersionRecordProblem::kDamaged};
  }
  parsed.record.version = {.number = number.number, .date = date.date};
  std::copy(digest->begin(), digest->end(), parsed.record.sha256.begin());
  parsed.record.signature = *signature;
  return parsed;
}

std::string VersionRecordSignedText(const ReferenceVersion& version,
                                    const platform::Sha256Digest& sha256) {
  return "version=" + std::to_string(version.number) + "\n" +
         "date=" + FormatCalendarDate(version.date) + "\n" +
         "sha256=" + platform::Sha256Hex(sha256) + "\n";
}

std::string VersionRecordText(const ReferenceVersion& version, const platform::Sha256Digest& sha256,
                              std::string_view signatureDer) {
  return VersionRecordSignedText(version, sha256) + "signature=" + platform::HexText(signatureDer) +
         "\n";
}

}  // namespace nexolant
