// The registry accessor's error texts, the same whichever store lies behind it.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry/Registry.h"

namespace vx {

// A value that is missing, or cannot be read as the type asked for.
inline RegistryError RegistryGetFailed(std::string_view name) {
  return RegistryError("Failed to get data for '" + std::string(name) + "'");
}

// A value stored with another type than the one asked for.
inline RegistryError RegistryInvalidType(std::string_view name) {
  return RegistryError("Invalid data type for '" + std::string(name) + "'");
}

// A write the store refused, with the system's reason.
inline RegistryError RegistrySetFailed(std::string_view name, const std::string& reason) {
  return RegistryError("Failed to set data for '" + std::string(name) + "': " + reason);
}

}  // namespace vx
