#pragma once

namespace nexolant::platform {

// Sets a flag for the lifetime of a scope and gives it back its previous value on every way
// out, failures included.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = previous_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace nexolant::platform
