#include "GlottaSystem.h"

#include "Expand.h"
#include "Platform.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/GlottaSystem.cpp 1 10.12.26 6:25 XG $")

namespace xel {

// Native names in UTF-8, this platform's code page.
const TDefaultLanguage DefaultLanguages[DefaultLanguageCount] = {
    {0x36, {"Afrikaans", "Afrikaans"}}, {0x1C, {"Albanian", ""}},       {0x01, {"Arabic", ""}},
    {0x2D, {"Basque", ""}},             {0x23, {"Belarusian", ""}},     {0x02, {"Bulgarian", ""}},
    {0x03, {"Catalan", ""}},            {0x04, {"Chinese", ""}},        {0x1A, {"Croatian", ""}},
    {0x05, {"Czech", ""}},              {0x06, {"Danish", "Dansk"}},    {0x13, {"Dutch", "Nederlands"}},
    {0x09, {"English", "English"}},     {0x25, {"Estonian", "Eesti"}},  {0x38, {"Faeroese", ""}},
    {0x29, {"Farsi", ""}},              {0x0B, {"Finnish", "Suomi"}},   {0x0C, {"French", "Francais"}},
    {0x07, {"German", "Deutsch"}},      {0x08, {"Greek", ""}},          {0x0D, {"Hebrew", ""}},
    {0x0E, {"Hungarian", "Magyar"}},    {0x0F, {"Icelandic", "Íslenskur"}}, {0x21, {"Indonesian", "Indonesia"}},
    {0x10, {"Italian", "Italiano"}},    {0x11, {"Japanese", ""}},       {0x12, {"Korean", ""}},
    {0x26, {"Latvian", ""}},            {0x27, {"Lithuanian", ""}},     {0x14, {"Norwegian", "Norsk"}},
    {0x15, {"Polish", "Polski"}},       {0x16, {"Portuguese", "Português"}}, {0x18, {"Romanian", "Român"}},
    {0x19, {"Russian", ""}},            {0x1B, {"Slovak", "Slovenský"}}, {0x24, {"Slovenian", "Slovénski"}},
    {0x0A, {"Spanish", "Español"}},     {0x1D, {"Swedish", "Svenska"}}, {0x1E, {"Thai", ""}},
    {0x1F, {"Turkish", "Türkçe"}},      {0x22, {"Ukrainian", ""}},      {0x2A, {"Vietnamese", ""}}};

namespace {

// The first row whose entry in the column equals the name ignoring case; -1 when none.
int FindRow(TLanguageNameType column, std::string_view name) {
  if (name.empty()) return -1;
  for (int i = 0; i < DefaultLanguageCount; ++i)
    if (SameText(DefaultLanguages[i].Names[column], name)) return i;
  return -1;
}

}  // namespace

bool GetDefaultLanguage(String& englishName, String& nativeName) {
  englishName.clear();
  nativeName.clear();
  const Integer id = GetUserDefaultLangID() & 0xFF;
  for (const auto& row : DefaultLanguages)
    if (row.LanguageID == id) {
      englishName = row.Names[lnEnglish];
      nativeName = row.Names[lnOriginal];
      return true;
    }
  return false;
}

bool IsDefaultLanguage(TLanguageNames types, String& name) {
  name = Trim(name);
  for (TLanguageNameType column : {lnEnglish, lnOriginal}) {
    if (!types.Contains(column)) continue;
    if (int row = FindRow(column, name); row >= 0) {
      name = DefaultLanguages[row].Names[column];
      return true;
    }
  }
  return false;
}

void GetDefaultLanguages(TLanguageNameType nameType, TStrings* list) {
  if (nameType != lnEnglish && nameType != lnOriginal) CaseError();
  list->Clear();
  for (const auto& row : DefaultLanguages)
    if (String n = Trim(row.Names[nameType]); !n.empty()) list->Add(n);
}

bool TranslateLanguage(TLanguageNameType nameType, String& name) {
  int row = FindRow(nameType, name);
  if (row < 0) return false;
  name = DefaultLanguages[row].Names[nameType == lnEnglish ? lnOriginal : lnEnglish];
  return true;
}

bool CompareLanguages(const String& a, const String& b) { return TLanguageMatch(b).Matches(a); }

TLanguageMatch::TLanguageMatch(const String& language)
    : FLanguage(Trim(language)), FEnglishRow(FindRow(lnEnglish, FLanguage)), FOriginalRow(FindRow(lnOriginal, FLanguage)) {}

bool TLanguageMatch::Matches(const String& name) const {
  const String x = Trim(name);
  if (x.empty() || FLanguage.empty()) return false;
  if (SameText(x, FLanguage)) return true;
  if (FEnglishRow < 0 && FOriginalRow < 0) return false;
  if (int row = FindRow(lnEnglish, x); row >= 0) return row == FOriginalRow;
  int row = FindRow(lnOriginal, x);
  return row >= 0 && row == FEnglishRow;
}

}  // namespace xel
