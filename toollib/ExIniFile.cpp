#include "ExIniFile.h"

#include "Format.h"
#include "Platform.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/ExIniFile.cpp 1 10.12.26 17:05 XG $")

namespace xel {

HKEY RegistryKeyToHKEY(TRegistryKey key) { return HKEY_CLASSES_ROOT + static_cast<HKEY>(key); }

TExIniFile::TExIniFile(const String& fileName, bool readOnly) : FReadOnly(readOnly) {
  if (!readOnly && FileExists(fileName) && FileIsReadOnly(fileName)) FileSetReadOnly(fileName, false);
  FIniFile = std::make_unique<TMemIniFile>(fileName);
}

TExIniFile::TExIniFile(TRegistryKey root, const String& path, bool canCreate) : FRegistryPath(path) {
  FRegistry = std::make_unique<TRegistry>();
  FRegistry->SetRootKey(RegistryKeyToHKEY(root));
  if (!FRegistry->OpenKey(path, canCreate)) FRegistry.reset();
}

TExIniFile::~TExIniFile() = default;

void TExIniFile::CheckStorage() const {
  if (!FIniFile && !FRegistry) throw EAbort("");
}

void TExIniFile::RegistryError(const char* operation) const {
  throw Exception(ClassName() + "." + operation + " not possible for registry database");
}

void TExIniFile::CheckWritable() const {
  if (FReadOnly) throw Exception(ClassName() + ": " + FIniFile->FileName() + " is open for reading only");
}

String TExIniFile::RegistryName(const String& section, const String& ident) const {
  if (section.empty()) return ident;
  if (ident.empty()) return section;
  return section + "\\" + ident;
}

bool TExIniFile::ReadRaw(const String& section, const String& ident, String& value) {
  CheckStorage();
  if (FIniFile) {
    const TIniData::TLine* line = FIniFile->Data().FindKey(section, ident);
    if (!line) return false;
    value = line->Value;
    return true;
  }
  const String name = RegistryName(section, ident);
  if (!FRegistry->ValueExists(name)) return false;
  value = FRegistry->ReadString(name);
  return true;
}

// A file is written only when its text changes: a write-back of values that are already
// there costs nothing.
void TExIniFile::WriteRaw(const String& section, const String& ident, const String& value) {
  CheckStorage();
  if (FRegistry) return FRegistry->WriteString(RegistryName(section, ident), value);
  CheckWritable();
  const TIniData::TLine* line = FIniFile->Data().FindKey(section, ident);
  if (line && line->Value == Trim(value)) return;
  FIniFile->WriteString(section, ident, value);
  FileChanged();
}

void TExIniFile::FileChanged() {
  if (FUpdateCount > 0) FChanged = true;
  else FIniFile->UpdateFile();
}

void TExIniFile::BeginUpdate() { ++FUpdateCount; }

void TExIniFile::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0 || !FChanged) return;
  FChanged = false;
  FIniFile->UpdateFile();
}

String TExIniFile::ReadString(const String& section, const String& ident, const String& def) {
  String raw;
  String result = ReadRaw(section, ident, raw) ? (FHintsEnabled ? RemoveHint(raw) : raw) : def;
  if (FWriteBack) WriteString(section, ident, result);
  return result;
}

void TExIniFile::WriteString(const String& section, const String& ident, const String& value) {
  WriteStringEx(section, ident, "", value);
}

void TExIniFile::WriteStringEx(const String& section, const String& ident, const String& hint, const String& value) {
  if (!FHintsEnabled) return WriteRaw(section, ident, value);
  String stored, useHint = hint;
  if (ReadRaw(section, ident, stored)) {
    String kept = ExtractHint(stored);
    if (!kept.empty()) useHint = kept;
  }
  if (useHint.empty() || FHintPosition < 1) return WriteRaw(section, ident, value);
  WriteRaw(section, ident, CreateHint(ident, value, useHint));
}

Integer TExIniFile::ReadInteger(const String& section, const String& ident, Integer def) {
  return StrToIntDef(Trim(ReadString(section, ident, IntToStr(def))), def);
}

void TExIniFile::WriteInteger(const String& section, const String& ident, Integer value) {
  WriteString(section, ident, IntToStr(value));
}

bool TExIniFile::ReadBool(const String& section, const String& ident, bool def) {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TExIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TExIniFile::ReadFloat(const String& section, const String& ident, double def) {
  return static_cast<double>(StrToFloatDef(Trim(ReadString(section, ident, Format("%g", {def}))), def));
}

void TExIniFile::WriteFloat(const String& section, const String& ident, double value) {
  WriteString(section, ident, Format("%g", {value}));
}

void TExIniFile::ReadSection(const String& section, TStrings* strings) {
  CheckStorage();
  if (FRegistry) RegistryError("ReadSection");
  FIniFile->ReadSection(section, strings);
}

void TExIniFile::ReadSections(TStrings* strings) {
  CheckStorage();
  if (FRegistry) RegistryError("ReadSections");
  FIniFile->ReadSections(strings);
}

void TExIniFile::ReadSectionValues(const String& section, TStrings* strings) {
  CheckStorage();
  if (FRegistry) RegistryError("ReadSectionValues");
  strings->BeginUpdate();
  TFinally done([strings] { strings->EndUpdate(); });
  strings->Clear();
  ForEachSectionLine(section, [&](const TIniData::TLine& l) {
    if (!l.Key.empty()) strings->Add(l.Key + "=" + (FHintsEnabled ? RemoveHint(l.Value) : l.Value));
  });
}

void TExIniFile::ReadSectionLines(const String& section, TStrings* strings) {
  strings->BeginUpdate();
  TFinally done([strings] { strings->EndUpdate(); });
  strings->Clear();
  ForEachSectionLine(section, [&](const TIniData::TLine& l) { strings->Add(l.Key.empty() ? l.Raw : l.Key + "=" + l.Value); });
}

void TExIniFile::ForEachSectionLine(const String& section, const std::function<void(const TIniData::TLine&)>& proc) {
  CheckStorage();
  if (FRegistry) RegistryError("ReadSectionLines");
  if (const TIniData::TSection* s = FIniFile->Data().FindSection(section))
    for (const TIniData::TLine& l : s->Lines) proc(l);
}

void TExIniFile::EraseSection(const String& section) {
  CheckStorage();
  if (FRegistry) RegistryError("EraseSection");
  if (!FIniFile->Data().FindSection(section)) return;
  CheckWritable();
  FIniFile->EraseSection(section);
  FileChanged();
}

void TExIniFile::DeleteKey(const String& section, const String& ident) {
  CheckStorage();
  if (FRegistry) {
    FRegistry->DeleteValue(RegistryName(section, ident));
    return;
  }
  if (!FIniFile->Data().FindKey(section, ident)) return;
  CheckWritable();
  FIniFile->DeleteKey(section, ident);
  FileChanged();
}

String TExIniFile::GetFileName() const { return FIniFile ? FIniFile->FileName() : FRegistryPath; }

String TExIniFile::CreateHint(const String& ident, const String& value, const String& hint) const {
  if (FRegistry) return value + " " + FHintDelimiter + hint;
  const int width = std::max<int>(0, FHintPosition - static_cast<int>(ident.size()) - 1);
  String padded = value;
  if (static_cast<int>(padded.size()) < width) padded.append(static_cast<size_t>(width) - padded.size(), ' ');
  return padded + FHintDelimiter + hint;
}

String TExIniFile::ExtractHint(const String& value) const {
  size_t at = FHintDelimiter.empty() ? String::npos : value.find(FHintDelimiter);
  return at == String::npos ? String() : Trim(std::string_view(value).substr(at + FHintDelimiter.size()));
}

String TExIniFile::RemoveHint(const String& value) const {
  size_t at = FHintDelimiter.empty() ? String::npos : value.find(FHintDelimiter);
  return Trim(std::string_view(value).substr(0, at));
}

}  // namespace xel
