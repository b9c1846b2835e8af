#include "DesignInterfaceTools.h"

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/DesignInterfaceTools.cpp 1 11.12.26 0:10 XG $")

namespace xel {

namespace {

constexpr int kChunk = 4096;

bool ReadBuffer(bool isForm, const String& name, String& text) {
  text.clear();
  TIntf<TIModuleInterface> module = ModuleInterfaceOf(isForm, name);
  if (!module) return false;
  TIntf<TIEditorInterface> editor(module->GetEditorInterface());
  if (!editor) return false;
  TIntf<TIEditReader> reader(editor->CreateReader());
  if (!reader) return false;
  char buffer[kChunk];
  for (int n; (n = reader->GetText(static_cast<int>(text.size()), buffer, kChunk)) > 0;) text.append(buffer, n);
  return true;
}

// The line break that ends text, or nothing.
String FinalLineBreak(const String& text) {
  if (text.ends_with("\r\n")) return "\r\n";
  if (text.ends_with("\n")) return "\n";
  return String();
}

}  // namespace

TIntf<TIModuleInterface> ModuleInterfaceOf(bool isForm, const String& name) {
  TIToolServices* services = ToolServices();
  if (!services) return TIntf<TIModuleInterface>();
  return TIntf<TIModuleInterface>(isForm ? services->GetFormModuleInterface(name)
                                         : services->GetModuleInterface(name));
}

bool ReadSourceCode(bool isForm, const String& name, String& source) {
  if (!ReadBuffer(isForm, name, source)) return false;
  if (source.ends_with("\r\n")) source.resize(source.size() - 2);
  return true;
}

bool WriteSourceCode(bool isForm, const String& name, const String& source) {
  String old;
  if (!ReadBuffer(isForm, name, old)) return false;
  TIntf<TIModuleInterface> module = ModuleInterfaceOf(isForm, name);
  if (!module) return false;
  TIntf<TIEditorInterface> editor(module->GetEditorInterface());
  if (!editor) return false;
  TIntf<TIEditWriter> writer(editor->CreateWriter());
  if (!writer) return false;
  const String tail = FinalLineBreak(old);
  const String text = !tail.empty() && !source.ends_with(tail) ? source + tail : source;
  return writer->DeleteTo(static_cast<int>(old.size())) && writer->Insert(text.c_str());
}

}  // namespace xel
