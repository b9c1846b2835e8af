// INI files: sections of key=value lines. Sections and keys compare without regard to
// case, the order of the file is kept, and files are written with CR LF, atomically.
#pragma once

#include <vector>

#include "StringList.h"

namespace xel {

XEL_EXCEPTION(EIniFileException, Exception);

// The parsed content of an INI file; comments and other lines are kept in place.
class TIniData {
public:
  struct TLine {
    String Key;    // empty for a line that is no key=value line
    String Value;
    String Raw;    // the line as read, for the others
  };
  struct TSection {
    String Name;
    std::vector<TLine> Lines;
  };

  void Parse(std::string_view text);
  String Format() const;
  TSection* FindSection(std::string_view name);
  const TSection* FindSection(std::string_view name) const;
  TSection& EnsureSection(std::string_view name);
  const TLine* FindKey(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, const String& value);
  bool Erase(std::string_view section);
  bool DeleteKey(std::string_view section, std::string_view key);

  std::vector<String> Preamble;  // lines before the first section
  std::vector<TSection> Sections;
};

class TCustomIniFile : public TObject {
  XEL_CLASS(TCustomIniFile, TObject)
public:
  explicit TCustomIniFile(String fileName) : FFileName(std::move(fileName)) {}
  const String& FileName() const { return FFileName; }

  virtual String ReadString(const String& section, const String& ident, const String& def) = 0;
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  // Numbers read with the default when missing or malformed; "0x" hexadecimal is accepted.
  virtual Integer ReadInteger(const String& section, const String& ident, Integer def);
  virtual void WriteInteger(const String& section, const String& ident, Integer value);
  virtual bool ReadBool(const String& section, const String& ident, bool def);
  virtual void WriteBool(const String& section, const String& ident, bool value);
  virtual double ReadFloat(const String& section, const String& ident, double def);
  virtual void WriteFloat(const String& section, const String& ident, double value);
  virtual void ReadSection(const String& section, TStrings* strings) = 0;   // the keys
  virtual void ReadSections(TStrings* strings) = 0;
  virtual void ReadSectionValues(const String& section, TStrings* strings) = 0;  // key=value
  virtual void EraseSection(const String& section) = 0;
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  virtual void UpdateFile() = 0;
  bool SectionExists(const String& section);
  bool ValueExists(const String& section, const String& ident);

protected:
  String FFileName;
};

// The whole file in memory; UpdateFile writes it.
class TMemIniFile : public TCustomIniFile {
  XEL_CLASS(TMemIniFile, TCustomIniFile)
public:
  explicit TMemIniFile(const String& fileName);
  String ReadString(const String& section, const String& ident, const String& def) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const String& section, TStrings* strings) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  void UpdateFile() override;
  void Clear() { FData = TIniData(); }
  void GetStrings(TStrings* list) const;
  void SetStrings(const TStrings* list);
  const TIniData& Data() const { return FData; }

protected:
  TIniData FData;
};

// Reads see the file as it is now, and every change is written at once, as the host's
// profile functions do. Values in matching quotes ('x' or "x") are read without them.
class TIniFile : public TMemIniFile {
  XEL_CLASS(TIniFile, TMemIniFile)
public:
  explicit TIniFile(const String& fileName);
  String ReadString(const String& section, const String& ident, const String& def) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  void ReadSection(const String& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const String& section, TStrings* strings) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;

private:
  void Refresh();
};

}  // namespace xel
