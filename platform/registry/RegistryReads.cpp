// Registry accessor: the reading rules, the same whichever store lies behind it.
#include "platform/registry/Registry.h"

#include "platform/registry/RegistryErrors.h"
#include "platform/registry/RegistryKey.h"

namespace vx {

bool Registry::ValueExists(std::string_view name) const {
  RegistryValue value;
  return LookUp(name, value);
}

std::string Registry::ReadString(std::string_view name) const {
  RegistryValue value;
  if (!LookUp(name, value)) return {};
  std::string text;
  if (!StringData(value, text)) throw RegistryInvalidType(name);
  return text;
}

int Registry::ReadInteger(std::string_view name) const {
  RegistryValue value;
  if (!LookUp(name, value)) throw RegistryGetFailed(name);
  if (value.type != kRegDword) throw RegistryInvalidType(name);
  if (value.form != RegistryValue::Form::Dword) throw RegistryGetFailed(name);  // REG_DWORD of a wrong size
  return static_cast<int>(value.dword);
}

}  // namespace vx
