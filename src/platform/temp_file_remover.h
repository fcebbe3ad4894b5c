#pragma once

#include <utility>

#include "platform/file_system.h"

namespace nexolant::platform {

// Deletes a temporary file when the scope that made it ends, however it ends. A failed
// delete is ignored: it must not replace the error that may be unwinding.
class TempFileRemover {
 public:
  TempFileRemover(FileSystem& files, Path name) : files_(files), name_(std::move(name)) {}
  ~TempFileRemover() {
    try {
      BestEffort(files_.RemoveFile(name_));
    } catch (...) {
    }
  }
  TempFileRemover(const TempFileRemover&) = delete;
  TempFileRemover& operator=(const TempFileRemover&) = delete;

 private:
  FileSystem& files_;
  Path name_;
};

}  // namespace nexolant::platform
