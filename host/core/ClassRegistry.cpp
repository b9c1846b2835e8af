#include "ClassRegistry.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "Format.h"
#include "Persistent.h"

namespace xel {

namespace {

struct TRegistry {
  std::mutex Lock;
  std::vector<TClass> Classes;  // in the order of registration
  // Every component read from a stream looks its class up here.
  std::unordered_map<std::string_view, TClass, TTextHash, TTextEqual> ByName;

  TClass Lookup(std::string_view name) const {
    auto it = ByName.find(name);
    return it == ByName.end() ? nullptr : it->second;
  }
};

TRegistry& Registry() {
  static TRegistry r;
  return r;
}

}  // namespace

void RegisterClass(TClass cls) {
  auto& r = Registry();
  std::lock_guard<std::mutex> lock(r.Lock);
  for (TClass c = cls; c; c = c->ClassParent()) {
    TClass known = r.Lookup(c->ClassName());
    if (known == c) break;
    if (known) throw EFilerError(Format(SConst::DuplicateClass, {c->ClassName()}));
    r.Classes.push_back(c);
    r.ByName.emplace(c->ClassName(), c);
    if (c == TPersistent::StaticClass() || !c->InheritsFrom(TPersistent::StaticClass())) break;
  }
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass c : classes) RegisterClass(c);
}

void UnRegisterClass(TClass cls) {
  auto& r = Registry();
  std::lock_guard<std::mutex> lock(r.Lock);
  if (std::erase(r.Classes, cls)) r.ByName.erase(cls->ClassName());
}

TClass GetClass(std::string_view name) {
  auto& r = Registry();
  std::lock_guard<std::mutex> lock(r.Lock);
  return r.Lookup(name);
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
