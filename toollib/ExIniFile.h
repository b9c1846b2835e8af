// TExIniFile: an INI file or a registry key behind one interface, with hint comments that
// describe a stored value and line up at one column, and an optional write-back of every
// value read (so that missing entries appear with their defaults).
#pragma once

#include <functional>
#include <memory>

#include "IniFiles.h"
#include "Registry.h"

namespace xel {

XEL_ENUM(TRegistryKey, rkClassesRoot, rkCurrentUser, rkLocalMachine, rkUsers, rkPerformanceData, rkCurrentConfig,
         rkDynData)

// The platform's predefined root key of the same name.
HKEY RegistryKeyToHKEY(TRegistryKey key);

class TExIniFile : public TObject {
  XEL_CLASS(TExIniFile, TObject)
public:
  // File mode: the whole file is read once; every change is written at once, atomically.
  // The file's read-only attribute is removed first, unless the file is opened for
  // reading only (then every write raises).
  explicit TExIniFile(const String& fileName, bool readOnly = false);
  // Registry mode: the key path below root, made when canCreate. A key that cannot be
  // opened leaves the object without storage: every call then aborts silently (EAbort).
  TExIniFile(TRegistryKey root, const String& path, bool canCreate);
  ~TExIniFile() override;

  bool GetHintsEnabled() const { return FHintsEnabled; }
  void SetHintsEnabled(bool v) { FHintsEnabled = v; }
  Integer GetHintPosition() const { return FHintPosition; }
  void SetHintPosition(Integer v) { FHintPosition = v; }
  const String& GetHintDelimiter() const { return FHintDelimiter; }
  void SetHintDelimiter(const String& v) { FHintDelimiter = v; }
  bool GetWriteBack() const { return FWriteBack; }
  void SetWriteBack(bool v) { FWriteBack = v; }
  bool IsRegistry() const { return FRegistry != nullptr; }

  // With hints enabled the hint is removed and the value trimmed.
  String ReadString(const String& section, const String& ident, const String& def);
  void WriteString(const String& section, const String& ident, const String& value);
  // With hints enabled a hint already stored is kept, else hint is written.
  void WriteStringEx(const String& section, const String& ident, const String& hint, const String& value);
  Integer ReadInteger(const String& section, const String& ident, Integer def);
  void WriteInteger(const String& section, const String& ident, Integer value);
  bool ReadBool(const String& section, const String& ident, bool def);
  void WriteBool(const String& section, const String& ident, bool value);
  double ReadFloat(const String& section, const String& ident, double def);
  void WriteFloat(const String& section, const String& ident, double value);

  // Not possible on a registry key: each raises there.
  void ReadSection(const String& section, TStrings* strings);
  void ReadSections(TStrings* strings);
  void ReadSectionValues(const String& section, TStrings* strings);
  // Every line of the section as read, key lines and others alike (blank lines left out).
  void ReadSectionLines(const String& section, TStrings* strings);
  // The same without copies: each line as the file holds it (key and value, or the raw
  // text of a line that is no key line).
  void ForEachSectionLine(const String& section, const std::function<void(const TIniData::TLine&)>& proc);
  void EraseSection(const String& section);
  void DeleteKey(const String& section, const String& ident);

  // Between these, changes of a file stay in memory; the last EndUpdate writes them in one
  // go (a whole save is one write, not one per value). Changes of an update that is never
  // ended are not written at all, so a failed save leaves the file as it was.
  void BeginUpdate();
  void EndUpdate();

  // The file name, or the registry path below its root.
  String GetFileName() const;

  // value padded so that the delimiter and hint start at HintPosition (in a file line
  // "ident=value"), or value, a blank, the delimiter and hint in the registry.
  String CreateHint(const String& ident, const String& value, const String& hint) const;
  // The text behind the first delimiter, trimmed; empty when there is none.
  String ExtractHint(const String& value) const;
  // The text before the first delimiter, trimmed.
  String RemoveHint(const String& value) const;

private:
  [[noreturn]] void RegistryError(const char* operation) const;
  void CheckStorage() const;
  void CheckWritable() const;
  String RegistryName(const String& section, const String& ident) const;
  bool ReadRaw(const String& section, const String& ident, String& value);
  void WriteRaw(const String& section, const String& ident, const String& value);
  void FileChanged();

  std::unique_ptr<TMemIniFile> FIniFile;
  std::unique_ptr<TRegistry> FRegistry;
  String FRegistryPath;
  bool FReadOnly = false;
  bool FHintsEnabled = false;
  Integer FHintPosition = 49;
  String FHintDelimiter = ";";
  bool FWriteBack = false;
  int FUpdateCount = 0;
  bool FChanged = false;
};

}  // namespace xel
