#include "ClassRegistry.h"

#include <algorithm>
#include <mutex>

#include "Format.h"
#include "Persistent.h"

namespace xel {

namespace {

struct TRegistry {
  std::mutex Lock;
  std::vector<TClass> Classes;
};

TRegistry& Registry() {
  static TRegistry r;
  return r;
}

TClass Lookup(const std::vector<TClass>& classes, std::string_view name) {
  for (TClass c : classes)
    if (c->ClassNameIs(name)) return c;
  return nullptr;
}

}  // namespace

void RegisterClass(TClass cls) {
  auto& r = Registry();
  std::lock_guard<std::mutex> lock(r.Lock);
  for (TClass c = cls; c; c = c->ClassParent()) {
    TClass known = Lookup(r.Classes, c->ClassName());
    if (known == c) break;
    if (known) throw EFilerError(Format(SConst::DuplicateClass, {c->ClassName()}));
    r.Classes.push_back(c);
    if (c == TPersistent::StaticClass() || !c->InheritsFrom(TPersistent::StaticClass())) break;
  }
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass c : classes) RegisterClass(c);
}

void UnRegisterClass(TClass cls) {
  auto& r = Registry();
  std::lock_guard<std::mutex> lock(r.Lock);
  std::erase(r.Classes, cls);
}

TClass GetClass(std::string_view name) {
  auto& r = Registry();
  std::lock_guard<std::mutex> lock(r.Lock);
  return Lookup(r.Classes, name);
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound(Format(SConst::ClassNotFound, {String(name)}));
  return c;
}

std::vector<TClass> GetRegisteredClasses() {
  auto& r = Registry();
  std::lock_guard<std::mutex> lock(r.Lock);
  return r.Classes;
}

}  // namespace xel
