#include "LanguageCheck.h"

#include <algorithm>

#include "Format.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "TextMarks.h"
#include "LanguageExport.h"
#include "PseudoLanguage.h"
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

// ---- the rule set ---------------------------------------------------------------------

namespace xel {

namespace {

const char* const RuleNames[] = {"missing", "placeholders", "accelerators", "blanks",
                                 "punctuation", "value", "fit", "lost", "source"};

String LeadingBlanks(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return String(s.substr(0, i));
}

String TrailingBlanks(std::string_view s) {
  size_t i = s.size();
  while (i > 0 && (s[i - 1] == ' ' || s[i - 1] == '\t')) --i;
  return String(s.substr(i));
}

// The run of punctuation a text ends with, full-width forms and the ellipsis character
// read as their plain forms.
String EndingPunctuation(std::string_view s) {
  static const std::pair<const char*, const char*> wide[] = {
      {"\xE2\x80\xA6", "..."}, {"\xE3\x80\x82", "."}, {"\xEF\xBC\x8E", "."}, {"\xEF\xBC\x9A", ":"},
      {"\xEF\xBC\x81", "!"},   {"\xEF\xBC\x9F", "?"}, {"\xEF\xBC\x9B", ";"}, {"\xEF\xBC\x8C", ","}};
  String t = TrimRight(s);
  String ending;
  for (;;) {
    if (!t.empty() && std::string_view(".:!?;,").find(t.back()) != std::string_view::npos) {
      ending.insert(ending.begin(), t.back());
      t.pop_back();
      continue;
    }
    bool found = false;
    for (const auto& [from, to] : wide)
      if (t.size() >= 3 && t.compare(t.size() - 3, 3, from) == 0) {
        ending.insert(0, to);
        t.resize(t.size() - 3);
        found = true;
        break;
      }
    if (!found) return ending;
  }
}

String Joined(const std::vector<String>& list) {
  String s;
  for (const String& item : list) s += (s.empty() ? "%" : " %") + item;
  return s.empty() ? String("none") : s;
}

String PlaceholderList(std::string_view text) {
  std::vector<String> list;
  for (const TTextMark& m : FormatPlaceholders(text)) list.push_back(String(text.substr(m.Pos + 1, m.Length - 1)));
  return Joined(list);
}

bool IsCaption(const TLanguageItemRef& ref) {
  if (ref.Item->IndexValue() >= 0) return false;
  const size_t dot = ref.Path.rfind('.');
  return SameText(dot == String::npos ? ref.Path : ref.Path.substr(dot + 1), "Caption");
}

// The room a control gives its caption, in pixels; -1 where the caption finds its own
// room (labels that size themselves or wrap, forms) or where the text is no caption.
int CaptionRoom(const TLanguageItemRef& ref, TControl*& control) {
  control = nullptr;
  if (ref.Item->IndexValue() >= 0 || ref.Path.find('.') != String::npos) return -1;
  if (!SameText(ref.Path, "Caption")) return -1;
  control = ClassCast<TControl>(ref.Entry->Object());
  if (!control || ClassCast<TCustomForm>(control)) return -1;
  if (auto* label = ClassCast<TCustomLabel>(control))
    return label->GetAutoSize() || label->GetWordWrap() ? -1 : control->GetClientWidth();
  // What the control draws beside its caption: a button's frame, a check mark, a frame.
  int margin = 4;
  if (ClassCast<TButton>(control)) margin = 8;
  else if (ClassCast<TCustomCheckBox>(control) || ClassCast<TRadioButton>(control)) margin = 20;
  else if (ClassCast<TCustomGroupBox>(control)) margin = 16;
  return control->GetClientWidth() - margin;
}

int TextWidth(const TFont& font, const String& caption) {
  // Accelerator marks are not drawn; "&&" is drawn as one.
  String drawn;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    drawn += caption[i];
  }
  int width = 0;
  size_t start = 0;
  while (start <= drawn.size()) {
    size_t end = drawn.find_first_of("\r\n", start);
    if (end == String::npos) end = drawn.size();
    width = std::max(width, ScreenTextExtent(font, drawn.substr(start, end - start)).X);
    start = end + 1;
    if (start < drawn.size() && drawn[start - 1] == '\r' && drawn[start] == '\n') ++start;
  }
  return width;
}

}  // namespace

String CheckRuleName(TCheckRule rule) { return RuleNames[static_cast<int>(rule)]; }

bool CheckRuleOfName(std::string_view name, TCheckRule& rule) {
  for (int i = 0; i < static_cast<int>(std::size(RuleNames)); ++i)
    if (SameText(name, RuleNames[i])) {
      rule = static_cast<TCheckRule>(i);
      return true;
    }
  return false;
}

std::vector<TCheckFinding> CheckTranslation(TLanguageManager* manager, const TLanguageItemRef& ref, int language,
                                            int source, TCheckRules rules) {
  std::vector<TCheckFinding> findings;
  TLanguageEntries* langs = manager->Langs();
  const TLanguageEntry* lang = langs->Items(language);
  auto add = [&](TCheckRule rule, const String& message) {
    if (rules.Contains(rule)) findings.push_back({ref.Key, lang->Name(), rule, message});
  };
  String message;
  switch (LanguageValueState(ref.Item, lang->SubIndex(), &message)) {
    case TValueState::NoValue:
    case TValueState::Missing:
      add(crMissing, message);
      return findings;
    case TValueState::Unreadable:
    case TValueState::Invalid:
      add(crValue, message);
      return findings;
    case TValueState::Translated:
      break;
  }
  if (!IsTextItem(ref.Item)) return findings;
  const String text = VarToStr(ref.Item->GetLangValue(lang->SubIndex()));

  TControl* control;
  const int room = rules.Contains(crFit) ? CaptionRoom(ref, control) : -1;
  if (room >= 0) {
    const int width = TextWidth(*control->GetFont(), text);
    if (width > room) add(crFit, Format("text is %d pixels wide, the control has room for %d", {width, room}));
  }

  if (language == source || text.empty()) return findings;
  const Variant sourceValue = ref.Item->GetLangValue(langs->Items(source)->SubIndex());
  const String original = sourceValue.IsNull() ? String() : VarToStr(sourceValue);
  if (original.empty()) return findings;
  // A pseudo-language marks its texts on purpose; only whether they fit tells anything.
  if (text.find('[') != String::npos && text == PseudoText(original)) return findings;

  if (PlaceholderSignature(original) != PlaceholderSignature(text))
    add(crPlaceholders, Format("placeholders %s differ from the design language's %s",
                               {PlaceholderList(text), PlaceholderList(original)}));
  if (IsCaption(ref)) {
    const size_t expected = Accelerators(original).size(), found = Accelerators(text).size();
    if (expected > 0 && found == 0) add(crAccelerators, "accelerator (&) missing");
    else if (found > 1)
      add(crAccelerators, Format("%d accelerators (&) where one is drawn", {static_cast<Integer>(found)}));
  }
  if (LeadingBlanks(original) != LeadingBlanks(text) || TrailingBlanks(original) != TrailingBlanks(text))
    add(crBlanks, "leading or trailing blanks differ from the design language's");
  const String endOriginal = EndingPunctuation(original), endText = EndingPunctuation(text);
  if (endOriginal != endText)
    add(crPunctuation, Format("ends with \"%s\" where the design language ends with \"%s\"", {endText, endOriginal}));
  return findings;
}

int CheckSourceLanguage(TLanguageManager* manager, const String& sourceLanguage) {
  TLanguageEntries* langs = manager->Langs();
  int source = -1;
  for (int i = 0; i < langs->Count(); ++i)
    if (sourceLanguage.empty() ? langs->Items(i)->IsActive() : SameText(langs->Items(i)->Name(), sourceLanguage))
      source = i;
  if (source < 0 && !sourceLanguage.empty())
    throw Exception(Format("The language data hold no language %s", {sourceLanguage}));
  return source < 0 ? 0 : source;
}

std::vector<TCheckFinding> CheckTranslations(TLanguageManager* manager, TCheckRules rules,
                                             const String& sourceLanguage) {
  std::vector<TCheckFinding> findings;
  TLanguageEntries* langs = manager->Langs();
  const int source = CheckSourceLanguage(manager, sourceLanguage);
  for (const TLanguageItemRef& ref : LanguageItems(manager))
    for (int l = 0; l < langs->Count(); ++l)
      for (TCheckFinding& f : CheckTranslation(manager, ref, l, source, rules)) findings.push_back(std::move(f));
  return findings;
}

}  // namespace xel
