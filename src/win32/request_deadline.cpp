#include "win32/request_deadline.h"

namespace nexolant::win32 {

RequestDeadline::RequestDeadline(InternetHandle request,
                                 std::chrono::steady_clock::time_point deadline)
    : handle_(request.get()),
      close_(request.get_deleter()),
      watch_([this, deadline] { Watch(deadline); }) {
  // The watch owns the handle from here on; when the thread cannot start, request still owns it
  // and closes it as the exception leaves.
  request.release();
}

RequestDeadline::~RequestDeadline() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_one();
  watch_.join();
  if (!expired_) {
    close_(handle_);
  }
}

bool RequestDeadline::Expired() const {
  const std::lock_guard lock(mutex_);
  return expired_;
}

void RequestDeadline::Watch(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  if (!stopped_.wait_until(lock, deadline, [this] { return stopping_; })) {
    expired_ = true;
    close_(handle_);
  }
}

}  // namespace nexolant::win32
