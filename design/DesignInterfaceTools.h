// Access to the designer's editor buffers for the package's experts: the text of a module
// read and replaced as a whole, and a holder that releases an interface of the designer.
#pragma once

#include <utility>

#include "ToolIntf.h"

namespace xel {

// Holds one interface obtained from the designer and releases it when it goes.
template <class T>
class TIntf {
public:
  explicit TIntf(T* intf = nullptr) : FIntf(intf) {}
  ~TIntf() { Reset(); }
  TIntf(const TIntf&) = delete;
  TIntf& operator=(const TIntf&) = delete;
  TIntf(TIntf&& other) noexcept : FIntf(std::exchange(other.FIntf, nullptr)) {}
  TIntf& operator=(TIntf&& other) noexcept {
    if (this != &other) {
      Reset();
      FIntf = std::exchange(other.FIntf, nullptr);
    }
    return *this;
  }
  T* operator->() const { return FIntf; }
  T* Get() const { return FIntf; }
  explicit operator bool() const { return FIntf != nullptr; }
  void Reset(T* intf = nullptr) {
    if (FIntf) FIntf->Release();
    FIntf = intf;
  }

private:
  T* FIntf;
};

// The module of a unit file (isForm false) or of a form by its name (isForm true).
TIntf<TIModuleInterface> ModuleInterfaceOf(bool isForm, const String& name);

// The module's editor buffer; one line break at its end is left out. False without the
// designer or without such a module.
bool ReadSourceCode(bool isForm, const String& name, String& source);
// Replaces the module's editor buffer with source. The buffer keeps its final line break,
// which ReadSourceCode leaves out, so that a text read, changed and written back ends as
// it did.
bool WriteSourceCode(bool isForm, const String& name, const String& source);

}  // namespace xel
