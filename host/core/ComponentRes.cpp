#include "ComponentRes.h"

#include "Filer.h"
#include "Format.h"
#include "Resources.h"

namespace xel {

namespace {

const TResourceEntry* Locate(const String& resName, const void* preferred) {
  if (preferred)
    if (const TResourceEntry* e = FindResource(preferred, resName, RT_RCDATA)) return e;
  for (const void* m : ResourceModules())
    if (const TResourceEntry* e = FindResource(m, resName, RT_RCDATA)) return e;
  return nullptr;
}

// A resource stream over already located data.
class TEntryStream : public TCustomMemoryStream {
public:
  explicit TEntryStream(const TResourceEntry* e) { SetPointer(e->Data, static_cast<Int64>(e->Size)); }
  Int64 Write(const void*, Int64) override { throw EStreamError("Can't write to a read-only resource stream"); }
};

}  // namespace

bool ComponentResExists(const String& resName, const void* preferredModule) {
  return Locate(resName, preferredModule) != nullptr;
}

TComponent* ReadComponentRes(const String& resName, TComponent* instance) {
  const void* home = instance ? ModuleOfAddress(instance->ClassType()) : nullptr;
  const TResourceEntry* e = Locate(resName, home);
  if (!e) throw EResNotFound(Format("Resource %s not found", {resName}));
  TEntryStream s(e);
  return s.ReadComponent(instance);
}

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor) {
  std::vector<TClass> chain;
  for (TClass c = instance->ClassType(); c && c != rootAncestor && c != TComponent::StaticClass(); c = c->ClassParent())
    chain.insert(chain.begin(), c);
  bool any = false;
  for (TClass c : chain) {
    const TResourceEntry* e = Locate(c->ClassName(), ModuleOfAddress(c));
    if (!e) continue;
    TEntryStream s(e);
    s.ReadComponent(instance);
    any = true;
  }
  return any;
}

TComponent* ReadComponentResFile(const String& fileName, TComponent* instance) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  return f.ReadComponentRes(instance);
}

void WriteComponentResFile(const String& fileName, TComponent* instance) {
  TFileStream f(fileName, fmCreate);
  f.WriteComponentRes(instance->ClassName(), instance);
}

}  // namespace xel
