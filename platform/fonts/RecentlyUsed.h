// Small caches of owned entries kept most recently used first: a found entry moves to the front.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace vx {

// The first entry that matches, moved to the front; null when none does.
template <typename T, typename Matches>
T* FindRecentlyUsed(std::vector<std::unique_ptr<T>>& entries, Matches matches) {
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const std::unique_ptr<T>& entry) { return matches(*entry); });
  if (it == entries.end()) return nullptr;
  std::rotate(entries.begin(), it, it + 1);
  return entries.front().get();
}

// Puts entry at the front; when there are most entries already, the least
// recently used one goes first.
template <typename T>
T* AddRecentlyUsed(std::vector<std::unique_ptr<T>>& entries, std::unique_ptr<T> entry, std::size_t most) {
  if (entries.size() >= most) entries.pop_back();
  entries.insert(entries.begin(), std::move(entry));
  return entries.front().get();
}

}  // namespace vx
