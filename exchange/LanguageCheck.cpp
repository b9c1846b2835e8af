#include "LanguageCheck.h"

#include "Format.h"
#include "LanguageExport.h"
#include "TypeTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/LanguageCheck.cpp 1 10.12.26 19:05 XG $")

namespace xel {

namespace {

bool IsTextItem(const TConsistentLangPropertyEntry* item) {
  // named strings and string-list lines are texts
  return item->IndexValue() >= 0 || !item->Descriptor() || IsTextKind(item->Descriptor()->Kind());
}

bool HasOtherText(TConsistentLangPropertyEntry* item, int slot) {
  for (int i = 0; i < item->Count(); ++i) {
    if (i == slot) continue;
    try {
      Variant v = item->GetLangValue(i);
      if (!v.IsNull() && !VarToStr(v).empty()) return true;
    } catch (const Exception&) {
    }
  }
  return false;
}

}  // namespace

TValueState LanguageValueState(TConsistentLangPropertyEntry* item, int slot, String* message) {
  String scratch;
  String& msg = message ? *message : scratch;
  String text;
  try {
    Variant v = item->GetLangValue(slot);
    if (v.IsNull()) {
      msg = "no value";
      return TValueState::NoValue;
    }
    text = VarToStr(v);
  } catch (const Exception& e) {
    msg = "value cannot be read: " + e.Message();
    return TValueState::Unreadable;
  }
  if (IsTextItem(item)) {
    if (text.empty() && HasOtherText(item, slot)) {
      msg = "missing translation";
      return TValueState::Missing;
    }
    return TValueState::Translated;
  }
  // The active slot of a live item is the property itself.
  if (slot == 0 && ClassCast<TInconsistentLangPropertyEntry>(item)) return TValueState::Translated;
  if (!item->IsValueValid(text)) {
    msg = Format("value '%s' does not convert to %s", {text, item->TypeName()});
    return TValueState::Invalid;
  }
  return TValueState::Translated;
}

std::vector<TLanguageIssue> CheckLanguages(TLanguageManager* manager) {
  std::vector<TLanguageIssue> issues;
  TLanguageEntries* langs = manager->Langs();
  for (const TLanguageItemRef& ref : LanguageItems(manager))
    for (int l = 0; l < langs->Count(); ++l) {
      String message;
      TValueState state = LanguageValueState(ref.Item, langs->Items(l)->SubIndex(), &message);
      if (state != TValueState::Translated) issues.push_back({ref.Key, langs->Items(l)->Name(), state, message});
    }
  return issues;
}

std::vector<TLanguageCompleteness> LanguageCompleteness(TLanguageManager* manager) {
  std::vector<TLanguageCompleteness> result;
  TLanguageEntries* langs = manager->Langs();
  const std::vector<TLanguageItemRef> items = LanguageItems(manager);
  for (int l = 0; l < langs->Count(); ++l) {
    TLanguageCompleteness c;
    c.Language = langs->Items(l)->Name();
    c.Total = static_cast<int>(items.size());
    for (const TLanguageItemRef& ref : items)
      if (LanguageValueState(ref.Item, langs->Items(l)->SubIndex()) == TValueState::Translated) ++c.Translated;
    result.push_back(c);
  }
  return result;
}

}  // namespace xel
