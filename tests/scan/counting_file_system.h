#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "fakes/memory_file_system.h"

namespace nexolant {

// An in-memory file system that counts its open directory searches and the most that were
// open at once, and can fail a search on a chosen entry name, as a handler's failure would.
class CountingFileSystem : public MemoryFileSystem {
 public:
  std::unique_ptr<platform::DirectorySearch> OpenSearch(const platform::Path& pattern) override {
    std::unique_ptr<platform::DirectorySearch> search = MemoryFileSystem::OpenSearch(pattern);
    if (!search) {
      return nullptr;
    }
    return std::make_unique<Counted>(*this, std::move(search));
  }

  int OpenSearches() const { return open_; }
  int MostOpenSearches() const { return most_; }

 private:
  class Counted : public platform::DirectorySearch {
   public:
    Counted(CountingFileSystem& files, std::unique_ptr<platform::DirectorySearch> search)
        : files_(files), search_(std::move(search)) {
      files_.most_ = std::max(files_.most_, ++files_.open_);
    }
    ~Counted() override { --files_.open_; }
    std::optional<platform::FindData> Next() override { return search_->Next(); }

   private:
    CountingFileSystem& files_;
    std::unique_ptr<platform::DirectorySearch> search_;
  };

  int open_ = 0;
  int most_ = 0;
};

}  // namespace nexolant
