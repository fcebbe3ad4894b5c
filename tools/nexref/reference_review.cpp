#include "nexref/reference_review.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <optional>

#include "ini/ini_text_lines.h"
#include "protection/name_sample.h"
#include "reference/hash_signatures.h"
#include "reference/signature_list.h"
#include "reference/wildcard_match.h"

namespace nexolant::nexref {
namespace {

constexpr std::array<std::string_view, 3> kReadSections = {"ScanFiles", "OtherKill", "Registry"};
constexpr std::size_t kRegistrySection = 2;

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  return quoted.append(text).append("\"");
}

bool IsHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

class Reviewer {
 public:
  explicit Reviewer(const platform::Locale& locale) : locale_(locale) {}

  std::vector<ReviewFinding> Review(std::string_view text) {
    const IniText ini = SplitIniText(text);
    for (const IniTextLine& line : ini.lines) {
      ReviewLine(line);
    }
    if (ini.unreadFromLine != 0) {
      Warn(ini.unreadFromLine, "text after the Ctrl-Z character is not read");
    }
    for (std::size_t k = 0; k < kReadSections.size(); ++k) {
      if (!seen_[k]) {
        Warn(0, "section [" + std::string(kReadSections[k]) + "] is missing");
      }
    }
    AddHashFaults(text);
    return std::move(findings_);
  }

 private:
  // Where the entry lines being read go; those of [FileHashes] are reviewed as the update
  // checks them, after the walk.
  enum class Target { kBeforeFirstSection, kRead, kHashes, kIgnored };

  // The faults of [FileHashes] among the findings in line order: a repeat of a known file with
  // its description is harmless, every other fault fails the check.
  void AddHashFaults(std::string_view text) {
    for (HashLineProblem& problem : HashSectionFaults(text, locale_)) {
      const Severity severity =
          problem.fault == HashLineFault::kRepeated ? Severity::kWarning : Severity::kError;
      findings_.push_back({problem.line, std::move(problem.text), severity});
    }
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const ReviewFinding& a, const ReviewFinding& b) {
                       const auto order = [](int line) {
                         return line == 0 ? std::numeric_limits<int>::max() : line;
                       };
                       return order(a.line) < order(b.line);
                     });
  }

  void Warn(int line, std::string text) {
    findings_.push_back({line, std::move(text), Severity::kWarning});
  }
  void Fail(int line, std::string text) {
    findings_.push_back({line, std::move(text), Severity::kError});
  }

  void ReviewLine(const IniTextLine& line) {
    if (line.length > line.text.size()) {
      Warn(line.number, "line is " + std::to_string(line.length) +
                            " characters long; only the first " + std::to_string(line.text.size()) +
                            " are read");
    }
    if (IsHeader(line.text)) {
      OpenSection(line.number, line.text.substr(1, line.text.size() - 2));
      return;
    }
    if (line.text.empty()) {
      return;
    }
    const std::size_t equals = line.text.find('=');
    if (equals == std::string::npos) {
      Warn(line.number, "line holds no \"=\" and is dropped");
      return;
    }
    switch (target_) {
      case Target::kBeforeFirstSection:
        Warn(line.number, "entry before the first section is dropped");
        return;
      case Target::kHashes:
      case Target::kIgnored:
        return;
      case Target::kRead:
        ReviewKey(line.number, std::string_view(line.text).substr(0, equals));
        return;
    }
  }

  void OpenSection(int number, const std::string& name) {
    for (const auto& [earlierName, earlierLine] : sections_) {
      if (locale_.SameText(earlierName, name)) {
        Warn(number, "section [" + name + "] repeats the one at line " +
                         std::to_string(earlierLine) + " and is dropped with its entries");
        target_ = Target::kIgnored;
        return;
      }
    }
    sections_.emplace_back(name, number);
    for (std::size_t k = 0; k < kReadSections.size(); ++k) {
      if (locale_.SameText(kReadSections[k], name)) {
        seen_[k] = true;
        section_ = k;
        target_ = Target::kRead;
        return;
      }
    }
    if (locale_.SameText(name, kFileHashesSection)) {
      target_ = Target::kHashes;
      return;
    }
    Warn(number, "section [" + name + "] is not read by the program");
    target_ = Target::kIgnored;
  }

  void ReviewKey(int number, std::string_view key) {
    if (key.empty()) {
      Warn(number, "empty key");
      return;
    }
    if (IsBlank(key.front()) || IsBlank(key.back())) {
      Warn(number,
           "key " + Quoted(key) + " begins or ends with a blank, which is part of the pattern");
    }
    if (key.front() == ';') {
      Warn(number,
           "key " + Quoted(key) + " begins with \";\" but is read as a signature, not a comment");
    }
    const std::string upper = SignatureUpperCase(key, locale_);
    const auto [first, inserted] = keys_[section_].try_emplace(upper, number);
    if (!inserted) {
      Warn(number,
           "duplicate key " + Quoted(key) + ", first at line " + std::to_string(first->second));
    }
    if (FindMalformedStar(key) != std::string_view::npos) {
      Warn(number, "malformed pattern " + Quoted(key) + ": \"*\" followed by \"*\" or \"?\"");
      return;
    }
    const protection::PatternKind kind = section_ == kRegistrySection
                                             ? protection::PatternKind::kKey
                                             : protection::PatternKind::kFile;
    if (const std::optional<std::string> reason = protection::TooBroadReason(key, kind, locale_)) {
      Fail(number, "pattern " + Quoted(key) + " " + *reason);
    }
  }

  const platform::Locale& locale_;
  std::vector<ReviewFinding> findings_;
  std::vector<std::pair<std::string, int>> sections_;  // names as read, with their lines
  std::array<bool, kReadSections.size()> seen_{};
  std::array<std::map<std::string, int>, kReadSections.size()> keys_;  // upper-cased key: line
  Target target_ = Target::kBeforeFirstSection;
  std::size_t section_ = 0;
};

}  // namespace

std::vector<ReviewFinding> ReviewReferenceText(std::string_view text,
                                               const platform::Locale& locale) {
  return Reviewer(locale).Review(text);
}

}  // namespace nexolant::nexref
