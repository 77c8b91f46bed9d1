// Registry key model: keys, typed values and the registry's limits on names and depth.
#include "platform/registry/RegistryKey.h"

#include <utility>

#include "base/Utf.h"
#include "platform/NameCase.h"

namespace vx {
namespace {

// The UTF-16LE code units of the first count bytes of a stored value.
std::u16string StoredUnits(const std::vector<std::uint8_t>& bytes, std::size_t count) {
  return Utf16FromBytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), count), false);
}

}  // namespace

RegistryValue RegistryValue::String(std::string_view name, std::string_view text) {
  RegistryValue value;
  value.name = name;
  value.type = kRegSz;
  value.form = Form::Text;
  value.text = text;
  return value;
}

RegistryValue RegistryValue::Dword(std::string_view name, std::uint32_t number) {
  RegistryValue value;
  value.name = name;
  value.type = kRegDword;
  value.form = Form::Dword;
  value.dword = number;
  return value;
}

RegistryValue RegistryValue::Stored(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> bytes) {
  RegistryValue value;
  value.name = name;
  value.type = type;
  if (type == kRegDword && bytes.size() == 4) {
    value.form = RegistryValue::Form::Dword;
    value.dword = static_cast<std::uint32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16)) |
                  (static_cast<std::uint32_t>(bytes[3]) << 24);
    return value;
  }
  if (type == kRegSz && bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes[bytes.size() - 1] == 0 &&
      bytes[bytes.size() - 2] == 0) {
    if (std::optional<std::string> text = ToUtf8Strict(StoredUnits(bytes, bytes.size() - 2))) {
      value.form = RegistryValue::Form::Text;
      value.text = std::move(*text);
      return value;
    }
  }
  value.form = RegistryValue::Form::Bytes;
  value.bytes = std::move(bytes);
  return value;
}

bool StringData(const RegistryValue& value, std::string& text) {
  if (value.type != kRegSz && value.type != kRegExpandSz) return false;
  if (value.form == RegistryValue::Form::Text) {
    text = value.text.substr(0, value.text.find('\0'));
    return true;
  }
  const std::u16string units = StoredUnits(value.bytes, value.bytes.size());
  text = ToUtf8(std::u16string_view(units).substr(0, units.find(u'\0')));
  return true;
}

bool KeyNameFits(std::string_view name) { return Utf16Length(name) <= kMaxKeyNameLength; }

bool ValueNameFits(std::string_view name) { return Utf16Length(name) <= kMaxValueNameLength; }

RegistryKey::~RegistryKey() {
  if (subkeys_.empty()) return;
  // Destroying the sub-keys directly would recurse once per level of the
  // tree; instead each key's sub-keys are moved to a work list, so that
  // every key is destroyed without sub-keys of its own.
  std::vector<RegistryKey> pending;
  const auto takeSubkeys = [&pending](RegistryKey& key) {
    for (auto& entry : key.subkeys_) pending.push_back(std::move(entry.second));
    key.subkeys_.clear();
  };
  takeSubkeys(*this);
  while (!pending.empty()) {
    RegistryKey key = std::move(pending.back());
    pending.pop_back();
    takeSubkeys(key);
  }
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : name_(std::move(other.name_)),
      subkeys_(std::move(other.subkeys_)),
      values_(std::move(other.values_)),
      valueOrder_(std::move(other.valueOrder_)),
      nextOrder_(other.nextOrder_) {
  other.subkeys_.clear();
  other.values_.clear();
  other.valueOrder_.clear();
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  RegistryKey taken(std::move(other));
  Swap(taken);
  return *this;  // the former content leaves with taken
}

void RegistryKey::Swap(RegistryKey& other) noexcept {
  name_.swap(other.name_);
  subkeys_.swap(other.subkeys_);
  values_.swap(other.values_);
  valueOrder_.swap(other.valueOrder_);
  std::swap(nextOrder_, other.nextOrder_);
}

RegistryKey* RegistryKey::FindSubkey(std::string_view childName) {
  const auto found = subkeys_.find(UpperUtf8(childName));
  return found == subkeys_.end() ? nullptr : &found->second;
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view childName) const {
  return const_cast<RegistryKey*>(this)->FindSubkey(childName);
}

RegistryKey& RegistryKey::FindOrAddSubkey(std::string_view childName) {
  return subkeys_.try_emplace(UpperUtf8(childName), std::string(childName)).first->second;
}

void RegistryKey::RemoveSubkey(std::string_view childName) { subkeys_.erase(UpperUtf8(childName)); }

const RegistryValue* RegistryKey::FindValue(std::string_view valueName) const {
  const auto order = valueOrder_.find(UpperUtf8(valueName));
  return order == valueOrder_.end() ? nullptr : &values_.find(order->second)->second;
}

void RegistryKey::SetValue(RegistryValue value) {
  const auto [order, added] = valueOrder_.try_emplace(UpperUtf8(value.name), nextOrder_);
  if (!added) {
    RegistryValue& existing = values_.find(order->second)->second;
    value.name = existing.name;  // the name keeps the spelling it was created with
    existing = std::move(value);
    return;
  }
  values_.emplace_hint(values_.end(), nextOrder_++, std::move(value));
}

void RegistryKey::RemoveValue(std::string_view valueName) {
  const auto order = valueOrder_.find(UpperUtf8(valueName));
  if (order == valueOrder_.end()) return;
  values_.erase(order->second);
  valueOrder_.erase(order);
}

RegistryKey* RegistryKey::Find(const std::vector<std::string>& path) {
  RegistryKey* key = this;
  for (const std::string& part : path) {
    key = key->FindSubkey(part);
    if (!key) return nullptr;
  }
  return key;
}

const RegistryKey* RegistryKey::Find(const std::vector<std::string>& path) const {
  return const_cast<RegistryKey*>(this)->Find(path);
}

RegistryKey& RegistryKey::FindOrAdd(const std::vector<std::string>& path) {
  RegistryKey* key = this;
  for (const std::string& part : path) key = &key->FindOrAddSubkey(part);
  return *key;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  while (!path.empty()) {
    const std::size_t slash = path.find('\\');
    if (slash != 0) parts.emplace_back(path.substr(0, slash));
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return parts;
}

}  // namespace vx
