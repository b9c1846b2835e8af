#include "LanguageExport.h"

#include "Format.h"
#include "LanguageFile.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/LanguageExport.cpp 1 10.12.26 17:45 XG $")

namespace xel {

String LanguageSectionName(const TLanguageManager* manager, const String& language) {
  TComponent* owner = manager->Owner();
  return (manager->HasOwner() && owner ? owner->ClassName() + "." : String(".")) + language;
}

String LanguageItemKey(const TLanguageManager* manager, const TComponentEntry* entry, const String& path,
                       const TConsistentLangPropertyEntry* item) {
  if (item->IndexValue() >= 0) {
    const int row = item->IndexValue();
    const String& name = row < manager->Names()->Count() ? manager->Names()->Strings(row) : item->Name();
    return (manager->Control() ? manager->Control()->Name() : String()) + ".#" + name;
  }
  TComponent* owner = manager->Owner();
  const String& component =
      manager->HasOwner() && owner && entry->Object() == owner ? owner->ClassName() : entry->Name();
  TMainEntry* main = item->MainEntry();
  return component + "." + PathToLanguageKey(path, main && main->SubType().Contains(stTStringsObject));
}

std::vector<TLanguageItemRef> LanguageItems(TLanguageManager* manager) {
  std::vector<TLanguageItemRef> items;
  TComponentEntries* comps = manager->Comps();
  if (!comps) return items;
  TStringList paths;
  for (int i = 0; i < comps->Count(); ++i) {
    TComponentEntry* entry = comps->Items(i);
    paths.Clear();
    entry->MoveSubItemsToStrings(mmNameOnly, &paths);
    paths.Sort();
    for (int k = 0; k < paths.Count(); ++k)
      if (auto* item = ClassCast<TConsistentLangPropertyEntry>(paths.Objects(k)))
        items.push_back({LanguageItemKey(manager, entry, paths[k], item), paths[k], entry, item,
                         ClassCast<TInconsistentLangPropertyEntry>(item) != nullptr});
  }
  return items;
}

namespace {

// The stored bytes of a text slot go straight into the line; everything else through its
// variant. Slot 0 of a live item is the property itself.
void AppendValue(String& text, const TConsistentLangPropertyEntry* item, bool live, int slot) {
  std::string_view b;
  if (!(live && slot == 0) && item->Buffer(slot, b) && b.size() >= 4 && Byte(b[0]) == (varString & 0xFF) &&
      Byte(b[1]) == (varString >> 8) && b[2] == 0 && b[3] == 0) {
    std::string_view payload = b.substr(4);
    if (payload.find_first_of("\r\n") == std::string_view::npos) {
      text += '\'';
      text += payload;
      text += '\'';
      return;
    }
  }
  text += EncodeLanguageValue(item->GetLangValue(slot));
}

void LogError(TLogFile* log, const std::exception& e) {
  if (!log) return;
  auto* host = dynamic_cast<const Exception*>(&e);
  log->WriteValue(Variant(Format("Export error: %s.Message = %s", {host ? String(host->ClassName()) : String("Exception"),
                                                                    host ? host->Message() : String(e.what())})));
}

}  // namespace

String ExportLanguagesToText(TLanguageManager* manager, TLogFile* log) {
  try {
    // The order is the same in every language: worked out once.
    const std::vector<TLanguageItemRef> lines = LanguageItems(manager);
    String text;
    TLanguageEntries* langs = manager->Langs();
    for (int l = 0; l < langs->Count(); ++l) {
      TLanguageEntry* language = langs->Items(l);
      // The first language shows how long the others will be.
      if (l == 1) text.reserve(text.size() * static_cast<size_t>(langs->Count()) * 5 / 4);
      text += "[" + LanguageSectionName(manager, language->Name()) + "]\r\n";
      for (const TLanguageItemRef& line : lines) {
        if (log) log->WriteValue(Variant("BEGIN " + line.Entry->Name() + "." + line.Path));
        text += line.Key;
        text += '=';
        AppendValue(text, line.Item, line.Live, language->SubIndex());
        text += "\r\n";
        if (log) log->WriteValue(Variant("  END " + line.Entry->Name() + "." + line.Path));
      }
      text += "\r\n";
    }
    return text;
  } catch (const std::exception& e) {
    LogError(log, e);
    throw;
  }
}

void ExportLanguages(TLanguageManager* manager, const String& fileName, TLogFile* log) {
  String text = ExportLanguagesToText(manager, log);
  try {
    WriteFileAtomically(fileName, text);
  } catch (const std::exception& e) {
    LogError(log, e);
    throw;
  }
}

}  // namespace xel
