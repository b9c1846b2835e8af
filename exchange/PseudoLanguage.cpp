#include "PseudoLanguage.h"

#include "Format.h"
#include "Graphics.h"
#include "LanguageExport.h"
#include "TextMarks.h"
#include "TranslationCatalog.h"
#include "TypeTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/PseudoLanguage.cpp 1 10.12.26 1:05 XG $")

namespace xel {

namespace {

// One accented form per letter, all in the fonts' Latin Extended ranges.
const char* const Lower[26] = {"å", "ƀ", "ç", "ð", "é", "ƒ", "ĝ", "ĥ", "î", "ĵ", "ķ", "ļ", "ɱ",
                               "ñ", "ö", "þ", "ǫ", "ŕ", "š", "ţ", "û", "ṽ", "ŵ", "ẋ", "ý", "ž"};
const char* const Upper[26] = {"Å", "Ɓ", "Ç", "Ð", "É", "Ƒ", "Ĝ", "Ĥ", "Î", "Ĵ", "Ķ", "Ļ", "Ṁ",
                               "Ñ", "Ö", "Þ", "Ǫ", "Ŕ", "Š", "Ţ", "Û", "Ṽ", "Ŵ", "Ẋ", "Ý", "Ž"};

String PseudoLine(std::string_view line) {
  // Marks that must reach the translation as they are: placeholders and the letter after
  // an accelerator (the key the user presses).
  std::vector<bool> keep(line.size(), false);
  for (const TTextMark& m : FormatPlaceholders(line))
    for (size_t i = m.Pos; i < m.Pos + m.Length; ++i) keep[i] = true;
  for (size_t pos : Accelerators(line)) keep[pos] = keep[pos + 1] = true;
  String out = "[";
  size_t letters = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (!keep[i] && c >= 'a' && c <= 'z') out += Lower[c - 'a'];
    else if (!keep[i] && c >= 'A' && c <= 'Z') out += Upper[c - 'A'];
    else out += c;
    // Continuation bytes of UTF-8 are part of the character before them.
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++letters;
  }
  if (letters > 0) out += " " + String((letters * 2 + 4) / 5, '~');
  return out + "]";
}

bool IsPseudoTarget(const TLanguageItemRef& ref) {
  if (ref.Item->IndexValue() >= 0) return true;
  const PPropInfo p = ref.Item->Descriptor();
  if (p && !IsTextKind(p->Kind())) return false;
  // A font's name must stay a font.
  TMainEntry* main = ref.Item->MainEntry();
  return !(main && ClassCast<TFont>(main->Object()));
}

}  // namespace

String PseudoText(std::string_view text) {
  if (text.empty()) return {};
  String out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) out += PseudoLine(text.substr(start, end - start));
    if (end == text.size()) break;
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    out += text.substr(end, next - end);
    start = next;
  }
  return out;
}

int AddPseudoLanguage(TLanguageManager* manager, const String& language, const String& sourceLanguage) {
  const String sourceName = sourceLanguage.empty() ? DefaultSourceLanguage(manager) : sourceLanguage;
  TLanguageEntries* langs = manager->Langs();
  const int sourceIndex = langs->IndexOfName(sourceName);
  if (sourceIndex < 0) throw Exception(Format("The language data hold no language %s", {sourceName}));
  if (SameText(Trim(language), sourceName)) throw Exception("The pseudo-language cannot replace its source language");
  if (Trim(language).empty()) throw Exception("The pseudo-language needs a name");
  int index = langs->IndexOfName(language);
  if (index < 0) {
    TLanguageEntry* entry = langs->Add();
    entry->SetName(Trim(language));
    entry->SetSubIndex(langs->Count() - 1);
    manager->SyncCount(cmInitNone);
    index = langs->Count() - 1;
  }
  const int source = langs->Items(sourceIndex)->SubIndex();
  const int slot = langs->Items(index)->SubIndex();
  for (const TLanguageItemRef& ref : LanguageItems(manager)) {
    const Variant value = ref.Item->GetLangValue(source);
    ref.Item->SetLangValue(slot, value.IsNull() || !IsPseudoTarget(ref) ? value : Variant(PseudoText(VarToStr(value))));
  }
  return index;
}

}  // namespace xel
