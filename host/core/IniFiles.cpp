#include "IniFiles.h"

#include "Format.h"

namespace xel {

// ---- TIniData ----------------------------------------------------------------------------------

void TIniData::Parse(std::string_view text) {
  Preamble.clear();
  Sections.clear();
  TSection* current = nullptr;
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    std::string_view line = text.substr(start, i - start);
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
    String t = Trim(line);
    if (!t.empty() && t[0] == '[' && t.find(']') != String::npos) {
      String name = Trim(t.substr(1, t.find(']') - 1));
      current = FindSection(name);
      if (!current) {
        Sections.push_back(TSection{name, {}});
        current = &Sections.back();
      }
      continue;
    }
    if (!current) {
      // Blank lines only separate; the writer puts its own between sections.
      if (!t.empty()) Preamble.push_back(String(line));
      continue;
    }
    size_t eq = t.find('=');
    if (t.empty() || t[0] == ';' || eq == String::npos || eq == 0) {
      if (!t.empty()) current->Lines.push_back(TLine{{}, {}, String(line)});
      continue;
    }
    current->Lines.push_back(TLine{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)), {}});
  }
}

String TIniData::Format() const {
  String out;
  for (const String& l : Preamble) out += l + "\r\n";
  for (size_t s = 0; s < Sections.size(); ++s) {
    if (s > 0 || !Preamble.empty()) out += "\r\n";
    out += "[" + Sections[s].Name + "]\r\n";
    for (const TLine& l : Sections[s].Lines) out += (l.Key.empty() ? l.Raw : l.Key + "=" + l.Value) + "\r\n";
  }
  return out;
}

TIniData::TSection* TIniData::FindSection(std::string_view name) {
  for (TSection& s : Sections)
    if (SameText(s.Name, name)) return &s;
  return nullptr;
}

const TIniData::TSection* TIniData::FindSection(std::string_view name) const {
  for (const TSection& s : Sections)
    if (SameText(s.Name, name)) return &s;
  return nullptr;
}

TIniData::TSection& TIniData::EnsureSection(std::string_view name) {
  if (TSection* s = FindSection(name)) return *s;
  Sections.push_back(TSection{String(name), {}});
  return Sections.back();
}

const TIniData::TLine* TIniData::FindKey(std::string_view section, std::string_view key) const {
  const TSection* s = FindSection(section);
  if (!s) return nullptr;
  for (const TLine& l : s->Lines)
    if (!l.Key.empty() && SameText(l.Key, key)) return &l;
  return nullptr;
}

void TIniData::Set(std::string_view section, std::string_view key, const String& value) {
  TSection& s = EnsureSection(section);
  for (TLine& l : s.Lines)
    if (!l.Key.empty() && SameText(l.Key, key)) {
      l.Value = value;
      return;
    }
  // After the last key of the section, ahead of trailing comments.
  size_t at = s.Lines.size();
  while (at > 0 && s.Lines[at - 1].Key.empty()) --at;
  s.Lines.insert(s.Lines.begin() + static_cast<std::ptrdiff_t>(at), TLine{String(key), value, {}});
}

bool TIniData::Erase(std::string_view section) {
  size_t before = Sections.size();
  std::erase_if(Sections, [&](const TSection& s) { return SameText(s.Name, section); });
  return Sections.size() != before;
}

bool TIniData::DeleteKey(std::string_view section, std::string_view key) {
  TSection* s = FindSection(section);
  if (!s) return false;
  size_t before = s->Lines.size();
  std::erase_if(s->Lines, [&](const TLine& l) { return !l.Key.empty() && SameText(l.Key, key); });
  return s->Lines.size() != before;
}

// ---- TCustomIniFile ---------------------------------------------------------------------------

Integer TCustomIniFile::ReadInteger(const String& section, const String& ident, Integer def) {
  String s = ReadString(section, ident, "");
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  return StrToIntDef(s, def);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, Integer value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool def) {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const String& section, const String& ident, double def) {
  String s = ReadString(section, ident, "");
  long double v;
  return TryStrToFloat(s, v) ? static_cast<double>(v) : def;
}

void TCustomIniFile::WriteFloat(const String& section, const String& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

bool TCustomIniFile::SectionExists(const String& section) {
  TStringList keys;
  ReadSections(&keys);
  return keys.IndexOf(section) >= 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.IndexOf(ident) >= 0;
}

// ---- TMemIniFile -------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) {
  if (!fileName.empty()) FData.Parse(ReadTextFile(fileName));
}

String TMemIniFile::ReadString(const String& section, const String& ident, const String& def) {
  const TIniData::TLine* l = FData.FindKey(section, ident);
  return l ? l->Value : def;
}

void TMemIniFile::WriteString(const String& section, const String& ident, const String& value) {
  FData.Set(section, ident, value);
}

void TMemIniFile::ReadSection(const String& section, TStrings* strings) {
  strings->BeginUpdate();
  strings->Clear();
  if (const TIniData::TSection* s = FData.FindSection(section))
    for (const TIniData::TLine& l : s->Lines)
      if (!l.Key.empty()) strings->Add(l.Key);
  strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* strings) {
  strings->BeginUpdate();
  strings->Clear();
  for (const TIniData::TSection& s : FData.Sections) strings->Add(s.Name);
  strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& section, TStrings* strings) {
  strings->BeginUpdate();
  strings->Clear();
  if (const TIniData::TSection* s = FData.FindSection(section))
    for (const TIniData::TLine& l : s->Lines)
      if (!l.Key.empty()) strings->Add(l.Key + "=" + l.Value);
  strings->EndUpdate();
}

void TMemIniFile::EraseSection(const String& section) { FData.Erase(section); }
void TMemIniFile::DeleteKey(const String& section, const String& ident) { FData.DeleteKey(section, ident); }

void TMemIniFile::UpdateFile() {
  if (FFileName.empty()) return;
  try {
    WriteFileAtomically(FFileName, FData.Format());
  } catch (const Exception& e) {
    throw EIniFileException(Format("Unable to write to %s: %s", {FFileName, e.Message()}));
  }
}

void TMemIniFile::GetStrings(TStrings* list) const { list->SetText(FData.Format()); }
void TMemIniFile::SetStrings(const TStrings* list) { FData.Parse(list->GetText()); }

// ---- TIniFile ----------------------------------------------------------------------------------

TIniFile::TIniFile(const String& fileName) : TMemIniFile(fileName) {}

void TIniFile::Refresh() { FData.Parse(ReadTextFile(FFileName)); }

String TIniFile::ReadString(const String& section, const String& ident, const String& def) {
  Refresh();
  const TIniData::TLine* l = FData.FindKey(section, ident);
  if (!l) return def;
  const String& v = l->Value;
  if (v.size() >= 2 && (v[0] == '\'' || v[0] == '"') && v.back() == v[0]) return v.substr(1, v.size() - 2);
  return v;
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  Refresh();
  FData.Set(section, ident, value);
  UpdateFile();
}

void TIniFile::ReadSection(const String& section, TStrings* strings) {
  Refresh();
  TMemIniFile::ReadSection(section, strings);
}

void TIniFile::ReadSections(TStrings* strings) {
  Refresh();
  TMemIniFile::ReadSections(strings);
}

void TIniFile::ReadSectionValues(const String& section, TStrings* strings) {
  Refresh();
  TMemIniFile::ReadSectionValues(section, strings);
}

void TIniFile::EraseSection(const String& section) {
  Refresh();
  if (FData.Erase(section)) UpdateFile();
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  Refresh();
  if (FData.DeleteKey(section, ident)) UpdateFile();
}

}  // namespace xel
