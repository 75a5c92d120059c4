// Reading skin options the way every key of the model is read: the skin's own options, optionally
// overlaid by the application's common sections, with values looked up through the PARENTCLASS
// chain of a section when the section itself lacks them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/IniText.h"

inline constexpr std::string_view kParentClassKey = "PARENTCLASS";

class SkinOptions {
 public:
  // Keys of common take precedence over those of skin for sections present in both.
  explicit SkinOptions(const fw::IniText& skin, const fw::IniText* common = nullptr)
      : skin_(skin), common_(common) {}

  // The value as written, or null when the section has no such key.
  const std::string* Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // An integer read leniently: an unreadable value gives def.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // "1" or "TRUE" in any letter case; anything else, or no value, is false.
  bool ReadBool(std::string_view section, std::string_view key) const;
  // A strict key: an unreadable value throws skin::EConvertError.
  int32_t ReadStrict(std::string_view section, std::string_view key, std::string_view def) const;

  // Text keys through the PARENTCLASS chain: the first section of the chain that has the key.
  std::string InheritedString(std::string_view section, std::string_view key,
                              std::string_view def) const;
  bool InheritedBool(std::string_view section, std::string_view key) const;
  // Integer keys through the chain: a value that is missing, unreadable or -1 is looked up in
  // the parent. A value found in a parent is resolved as a colour (system colours become their
  // current value); the section's own value is resolved only when resolveOwn is set.
  int32_t InheritedInteger(std::string_view section, std::string_view key, int32_t def,
                           bool resolveOwn = false) const;

 private:
  // The next section of the chain, or empty at its end. Each section is visited once, so a chain
  // that loops back ends there.
  std::string Parent(std::string_view section, std::string& visited) const;

  const fw::IniText& skin_;
  const fw::IniText* common_;
};
