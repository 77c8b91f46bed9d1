// A clean-up that runs when a scope ends, by return or by exception.
#pragma once

#include <utility>

namespace vx {

// Calls its clean-up once when it goes out of scope, however the scope is
// left. The clean-up must not throw: it may run while an exception unwinds.
template <typename CleanUp>
class ScopeGuard {
 public:
  explicit ScopeGuard(CleanUp cleanUp) : cleanUp_(std::move(cleanUp)) {}
  ~ScopeGuard() { cleanUp_(); }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;

 private:
  CleanUp cleanUp_;
};

}  // namespace vx
