#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/ascii.h"
#include "platform/signature_evidence.h"

namespace nexolant {

// Answers with the publishers and the vouched-for files a test set, by path compared
// case-insensitively; every other file is not signed and not vouched for. Counts the questions.
class FakeSignatureEvidence : public platform::SignatureEvidence {
 public:
  void SetPublisher(const std::string& path, platform::Publisher publisher) {
    publishers_[Key(path)] = std::move(publisher);
  }
  void Vouch(const std::string& path) { vouched_.insert(Key(path)); }

  platform::Publisher PublisherOf(const platform::Path& path) const override {
    ++questions_;
    const auto found = publishers_.find(Key(path.ansi));
    return found == publishers_.end() ? platform::Publisher{} : found->second;
  }
  bool WindowsVouchesFor(const platform::Path& path) const override {
    ++questions_;
    return vouched_.contains(Key(path.ansi));
  }

  int Questions() const { return questions_; }

 private:
  static std::string Key(const std::string& path) { return platform::AsciiUpperCase(path); }

  std::map<std::string, platform::Publisher> publishers_;
  std::set<std::string> vouched_;
  mutable int questions_ = 0;
};

}  // namespace nexolant
