// Components of the stored layout by name, as the kind their use needs.
//   LayoutAs   the component, or an error that names it; never a null to dereference
#pragma once

#include <cxxabi.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeinfo>

#include "Controls.h"

namespace vellumor {

// "TComboBox" for vellumor::TComboBox: the name a reader of the layout knows.
inline std::string LayoutKindName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                  std::free);
  std::string name = status == 0 && readable ? readable.get() : type.name();
  if (auto colons = name.rfind("::"); colons != std::string::npos) name.erase(0, colons + 2);
  return name;
}

// The layout names components by text: a wrong kind or a missing name is an error in the layout.
template <class T>
T* LayoutAs(TComponent* component, std::string_view name) {
  if (!component)
    throw std::logic_error("The window layout names \"" + std::string(name) + "\", which it does not have.");
  if (auto* typed = dynamic_cast<T*>(component)) return typed;
  throw std::logic_error("The window layout has \"" + std::string(name) + "\" as a " +
                         LayoutKindName(typeid(*component)) + " where a " + LayoutKindName(typeid(T)) +
                         " is needed.");
}

template <class T, class Component>
T* LayoutAs(const std::map<std::string_view, Component*>& made, std::string_view name) {
  auto found = made.find(name);
  return LayoutAs<T>(found == made.end() ? nullptr : found->second, name);
}

}  // namespace vellumor
