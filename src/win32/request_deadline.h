#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "win32/wininet_library.h"

namespace nexolant::win32 {

// Owns one WinINet request handle and ends it at a deadline. A blocked HttpSendRequest or
// InternetReadFile returns only when its handle is closed, so a thread of its own closes the
// handle when the deadline passes first. The handle is closed exactly once: by that thread at
// the deadline, or by the destructor, which stops the thread before it looks.
class RequestDeadline {
 public:
  RequestDeadline(InternetHandle request, std::chrono::steady_clock::time_point deadline);
  ~RequestDeadline();
  RequestDeadline(const RequestDeadline&) = delete;
  RequestDeadline& operator=(const RequestDeadline&) = delete;

  // Valid until the deadline passes; a call on it after that fails.
  HINTERNET get() const { return handle_; }
  // Whether the deadline passed and closed the handle.
  bool Expired() const;

 private:
  void Watch(std::chrono::steady_clock::time_point deadline);

  const HINTERNET handle_;
  const InternetHandleClose close_;
  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
  bool expired_ = false;
  std::thread watch_;  // last: it starts once the members above exist
};

}  // namespace nexolant::win32
