#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/folder_browser.h"

namespace nexolant {

// Answers each dialog from a queue (Cancel when it is empty) and records the requests. The
// selections queued with ShowSelection are shown on the status line, in order, while the
// next dialog is open; the texts it showed are kept.
class FakeFolderBrowser : public platform::FolderBrowser {
 public:
  std::optional<std::string> Browse(const platform::FolderBrowseRequest& request) override {
    requests_.push_back(request);
    for (const platform::FolderSelection& selection : selections_) {
      statusTexts_.push_back(request.statusText(selection));
    }
    selections_.clear();
    if (answers_.empty()) {
      return std::nullopt;
    }
    std::optional<std::string> answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }

  // The user confirms an item with this file-system path (empty: an item without one).
  void QueueChoice(std::string path) { answers_.emplace_back(std::move(path)); }
  void QueueCancel() { answers_.emplace_back(std::nullopt); }
  void ShowSelection(platform::FolderSelection selection) {
    selections_.push_back(std::move(selection));
  }

  const std::vector<platform::FolderBrowseRequest>& Requests() const { return requests_; }
  const std::vector<std::string>& StatusTexts() const { return statusTexts_; }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<platform::FolderSelection> selections_;
  std::vector<platform::FolderBrowseRequest> requests_;
  std::vector<std::string> statusTexts_;
};

}  // namespace nexolant
