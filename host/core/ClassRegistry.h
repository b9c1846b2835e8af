// The class registry: classes that streams create by name.
#pragma once

#include <initializer_list>
#include <vector>

#include "TypInfo.h"

namespace xel {

// Registers a class and, like the host, its ancestors up to TPersistent. Registering the
// same class again does nothing; another class of the same name raises EFilerError.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
// By name, ignoring case: GetClass gives nullptr, FindClass raises EClassNotFound.
TClass GetClass(std::string_view name);
TClass FindClass(std::string_view name);
// Every registered class, in registration order.
std::vector<TClass> GetRegisteredClasses();

}  // namespace xel
