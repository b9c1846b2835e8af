#include "FormCheck.h"

#include <cstring>
#include <memory>
#include <unordered_set>

#include "Application.h"
#include "ClassRegistry.h"
#include "ConvertTools.h"
#include "Expand.h"
#include "FileTools.h"
#include "Filer.h"
#include "Format.h"
#include "Forms.h"
#include "Glotta.h"
#include "ResFile.h"
#include "SuperForm.h"
#include "TextForms.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/FormCheck.cpp 1 10.12.26 1:10 XG $")

namespace xel {

namespace {

constexpr Int64 MaxFormFileSize = Int64(256) << 20;
constexpr int MaxScanDepth = 64;

// ---- what the stream holds, read without classes -------------------------------------------

struct TScannedItem {
  String Path;  // below its component: "Caption", "Font.Name", "Resources.Greeting"
  Int64 Offset = 0;
  int Count = -1;  // its value slots; -1 when it stores none
  bool HasValues = false;
  String Values;  // the stored buffers of slots 1 and up
};

struct TScannedEntry {
  String Name;  // sub-entries
  String Ref;   // component entries
  Int64 Offset = 0;
  Int64 RefOffset = -1;
  std::vector<TScannedItem> Items;
};

struct TScannedLanguageData {
  String Component;  // the language component's name ("" for the root)
  std::vector<String> Languages;  // by value slot
  int LanguageCount = 0;
  std::vector<TScannedEntry> Entries;
};

struct TFormScan {
  String RootClass, RootName;
  bool FormSize = false;  // the root stores a client size, as every form does
  std::unordered_set<String, TTextHash, TTextEqual> Names;  // the components below the root
  std::vector<TScannedLanguageData> Data;
};

std::uint32_t ReadLE32(const Byte* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsIntValue(TValueType v) { return v == vaInt8 || v == vaInt16 || v == vaInt32; }
bool IsStringValue(TValueType v) { return v == vaString || v == vaLString || v == vaWString || v == vaUTF8String; }

void ScanProps(TReader& r, std::vector<TScannedItem>& out) {
  r.CheckValue(vaCollection);
  while (!r.EndOfList()) {
    TScannedItem item;
    item.Offset = r.Position();
    if (IsIntValue(r.NextValue())) r.ReadInteger();
    r.ReadListBegin();
    while (!r.EndOfList()) {
      const String p = r.ReadStr();
      const TValueType v = r.NextValue();
      if (SameText(p, "Name") && IsStringValue(v)) {
        item.Path = r.ReadString();
      } else if (SameText(p, "Count") && IsIntValue(v)) {
        item.Count = r.ReadInteger();
      } else if (SameText(p, "Values") && v == vaBinary) {
        r.ReadValue();
        Byte le[4];
        r.Read(le, 4);
        const std::uint32_t size = ReadLE32(le);
        if (size > static_cast<std::uint64_t>(r.Left())) throw EReadError("Stream read error");
        item.Values.resize(size);
        r.Read(item.Values.data(), size);
        item.HasValues = true;
      } else {
        r.SkipValue();
      }
    }
    r.ReadListEnd();
    out.push_back(std::move(item));
  }
  r.ReadListEnd();
}

void ScanEntries(TReader& r, std::vector<TScannedEntry>& out, int depth) {
  if (depth > MaxScanDepth) throw EReadError("Stored language data are nested too deeply");
  r.CheckValue(vaCollection);
  while (!r.EndOfList()) {
    TScannedEntry e;
    e.Offset = r.Position();
    if (IsIntValue(r.NextValue())) r.ReadInteger();
    r.ReadListBegin();
    while (!r.EndOfList()) {
      const Int64 at = r.Position();
      const String p = r.ReadStr();
      const TValueType v = r.NextValue();
      if (SameText(p, "Name") && IsStringValue(v)) {
        e.Name = r.ReadString();
      } else if (SameText(p, "Ref") && v == vaIdent) {
        e.Ref = r.ReadIdent();
        e.RefOffset = at;
      } else if (SameText(p, "Props") && v == vaCollection) {
        ScanProps(r, e.Items);
      } else if (SameText(p, "Items") && v == vaCollection) {
        std::vector<TScannedEntry> subs;
        ScanEntries(r, subs, depth + 1);
        for (TScannedEntry& sub : subs)
          for (TScannedItem& item : sub.Items) {
            item.Path = sub.Name + "." + item.Path;
            e.Items.push_back(std::move(item));
          }
      } else {
        r.SkipValue();
      }
    }
    r.ReadListEnd();
    out.push_back(std::move(e));
  }
  r.ReadListEnd();
}

void ScanLanguages(TReader& r, TScannedLanguageData& data) {
  r.CheckValue(vaCollection);
  while (!r.EndOfList()) {
    if (IsIntValue(r.NextValue())) r.ReadInteger();
    r.ReadListBegin();
    String name;
    int slot = -1;
    while (!r.EndOfList()) {
      const String p = r.ReadStr();
      const TValueType v = r.NextValue();
      if (SameText(p, "Name") && IsStringValue(v)) name = r.ReadString();
      else if (SameText(p, "SubIndex") && IsIntValue(v)) slot = r.ReadInteger();
      else r.SkipValue();
    }
    r.ReadListEnd();
    ++data.LanguageCount;
    if (slot >= 0 && slot < TConsistentLangPropertyEntry::MaxSlots) {
      if (data.Languages.size() <= static_cast<size_t>(slot)) data.Languages.resize(static_cast<size_t>(slot) + 1);
      data.Languages[static_cast<size_t>(slot)] = name;
    }
  }
  r.ReadListEnd();
}

void ScanComponent(TReader& r, TFormScan& scan, bool root, int depth) {
  if (depth > MaxScanDepth) throw EReadError("Components are nested too deeply");
  Byte flags;
  Integer position;
  r.ReadPrefix(flags, position);
  const String cls = r.ReadStr();
  const String name = r.ReadStr();
  if (root) {
    scan.RootClass = cls;
    scan.RootName = name;
  } else {
    scan.Names.insert(name);
  }
  TScannedLanguageData data;
  data.Component = root ? String() : name;
  bool hasData = false;
  while (!r.EndOfList()) {
    const String prop = r.ReadStr();
    const TValueType v = r.NextValue();
    if (root && (prop == "ClientWidth" || prop == "ClientHeight")) scan.FormSize = true;
    if (SameText(prop, "LanguageManager_Comps") && v == vaCollection) {
      ScanEntries(r, data.Entries, 0);
      hasData = true;
    } else if (SameText(prop, "LanguageManager_Langs") && v == vaCollection) {
      ScanLanguages(r, data);
    } else {
      r.SkipValue();
    }
  }
  r.ReadListEnd();
  if (hasData) scan.Data.push_back(std::move(data));
  while (!r.EndOfList()) ScanComponent(r, scan, false, depth + 1);
  r.ReadListEnd();
}

// ---- places --------------------------------------------------------------------------------

// Turns a position in the binary into a place in the file.
struct TPlacer {
  const TTextSourceMap* Map = nullptr;
  Int64 Base = 0;  // where the binary begins in the file
  String Resource;

  TFormIssue At(Int64 position, const String& path, TFormIssue::TLevel level, const String& message) const {
    TFormIssue issue;
    issue.Level = level;
    issue.Path = path;
    issue.Resource = Resource;
    issue.Message = message;
    if (position >= 0) {
      if (Map) Map->Find(position, issue.Line, issue.Column);
      else issue.Offset = Base + position;
    }
    return issue;
  }
};

// ---- reading as the application would -------------------------------------------------------

struct TCheckReading {
  const TPlacer* Placer;
  std::vector<TFormIssue>* Issues;
  bool RootClassKnown;

  void Error(TReader* reader, const String& message, bool& handled) {
    const TReader::TReadPlace& place = reader->ErrorPlace();
    // The reader hands over the errors of properties ("Error reading ...") and components
    // whose class is unknown; both leave the rest of the form readable.
    TFormIssue::TLevel level = TFormIssue::Error;
    String text = message;
    if (message.rfind("Error reading ", 0) != 0) {
      level = TFormIssue::UnknownClass;
    } else if (place.Components == 1 && !RootClassKnown) {
      // The form's own class is the application's, read here into a stand-in.
      level = TFormIssue::Warning;
      text += " (in the form's own class, which is not known here)";
    }
    Issues->push_back(Placer->At(place.Position, place.Path, level, text));
    handled = true;
  }

  // No handler of the application exists here.
  void FindMethod(TReader*, const String&, TMethod& method, bool& error) {
    method = TMethod{};
    error = false;
  }
};

TComponent* MakeRoot(const TFormScan& scan, bool& known) {
  TClass cls = GetClass(scan.RootClass);
  known = false;
  if (cls && cls->InheritsFrom(TGlotta::StaticClass())) {
    known = true;
    return CreateComponent(cls, Application);  // a language file's component has no form
  }
  TComponent* root;
  if (scan.FormSize) root = new TForm(nullptr, TCreateNew{});
  else root = new TSuperDataModule(nullptr);
  known = cls == root->ClassType();
  return root;
}

String Join(const std::vector<String>& parts) {
  String s;
  for (const String& p : parts) s += (s.empty() ? "" : ", ") + p;
  return s;
}

// The stored value buffers of an item: one per slot after the first, each its size and
// then a value buffer.
void CheckValues(const TScannedItem& item, const TScannedLanguageData& data, const String& path, const TPlacer& placer,
                 std::vector<TFormIssue>& issues) {
  size_t pos = 0;
  auto fail = [&](const String& what) {
    issues.push_back(placer.At(item.Offset, {}, TFormIssue::Error, Format("language data of %s: %s", {path, what})));
  };
  for (int slot = 1; slot < item.Count; ++slot) {
    if (item.Values.size() - pos < 4) return fail("the value buffers end before the last slot");
    const std::uint32_t size = ReadLE32(reinterpret_cast<const Byte*>(item.Values.data() + pos));
    pos += 4;
    if (size > item.Values.size() - pos) return fail("the value buffers end before the last slot");
    if (size > 0) {
      try {
        BufferToVariant(reinterpret_cast<const Byte*>(item.Values.data() + pos), size);
      } catch (const Exception& e) {
        const size_t s = static_cast<size_t>(slot);
        const String language = s < data.Languages.size() && !data.Languages[s].empty() ? data.Languages[s]
                                                                                         : "slot " + IntToStr(slot);
        fail(Format("the value of %s does not decode: %s", {language, e.Message()}));
      }
    }
    pos += size;
  }
  if (pos != item.Values.size()) fail("the value buffers hold more than the slots");
}

void CheckLanguageData(const TFormScan& scan, TComponent* root, const TPlacer& placer,
                       std::vector<TFormIssue>& issues) {
  for (const TScannedLanguageData& data : scan.Data) {
    TComponent* component = data.Component.empty() ? root : root->FindComponent(data.Component);
    auto* glotta = ClassCast<TGlotta>(component);
    // The items that loading kept.
    std::unordered_set<String, TTextHash, TTextEqual> present;
    if (glotta)
      if (TComponentEntries* comps = glotta->LanguageManager()->Comps()) {
        TStringList paths;
        for (int i = 0; i < comps->Count(); ++i) {
          paths.Clear();
          comps->Items(i)->MoveSubItemsToStrings(mmNameOnly, &paths);
          for (int k = 0; k < paths.Count(); ++k) present.insert(comps->Items(i)->Name() + "." + paths[k]);
        }
      }
    const int slots = data.LanguageCount > 1 ? data.LanguageCount : 1;
    for (const TScannedEntry& entry : data.Entries) {
      if (entry.Ref.empty()) continue;
      const String name = SameText(entry.Ref, "Owner") ? scan.RootName : entry.Ref;
      const String first = name.substr(0, name.find('.'));
      if (!SameText(first, scan.RootName) && !scan.Names.count(first)) {
        std::vector<String> items;
        for (const TScannedItem& item : entry.Items) items.push_back(name + "." + item.Path);
        issues.push_back(placer.At(entry.RefOffset, {}, TFormIssue::Error,
                                   Format("language data name component %s, which the form does not have: %s",
                                          {name, Join(items)})));
        continue;
      }
      // A component of a class unknown here was not read: its properties cannot be checked.
      const bool live = glotta && FindNestedComponent(root, entry.Ref);
      for (const TScannedItem& item : entry.Items) {
        const String path = name + "." + item.Path;
        if (live && !present.count(path)) {
          issues.push_back(placer.At(item.Offset, {}, TFormIssue::Error,
                                     Format("language data of %s: the property does not exist", {path})));
          continue;
        }
        if (item.Count >= 0 && item.Count != slots) {
          issues.push_back(
              placer.At(item.Offset, {}, TFormIssue::Error,
                        Format("language data of %s: %d value slots for %d languages", {path, item.Count, slots})));
          continue;
        }
        if (item.HasValues) CheckValues(item, data, path, placer, issues);
      }
    }
  }
}

void CheckUnresolved(const TReader& reader, const TFormScan& scan, TComponent* root, const TPlacer& placer,
                     std::vector<TFormIssue>& issues) {
  for (size_t i = 0; i < reader.UnresolvedReferences().size(); ++i) {
    const TReader::TReadPlace& place = reader.UnresolvedPlaces()[i];
    // The language data's own check says more of theirs.
    if (place.Path.find("LanguageManager_Comps") != String::npos) continue;
    const String& text = reader.UnresolvedReferences()[i];
    const String name = text.substr(text.rfind('=') + 1);
    const String first = name.substr(0, name.find('.'));
    TFormIssue::TLevel level = TFormIssue::Error;
    String message = Format("the component %s does not exist", {name});
    if (!root->FindComponent(first) && scan.Names.count(first)) {
      level = TFormIssue::Warning;
      message = Format("the reference to %s cannot be checked: a class on its way is not known here", {name});
    } else if (!root->FindComponent(first) && name.find('.') != String::npos) {
      level = TFormIssue::Warning;
      message = Format("the reference to %s names another form", {name});
    }
    issues.push_back(placer.At(place.Position, place.Path, level, message));
  }
}

void CheckBinary(const String& binary, const TPlacer& placer, std::vector<TFormIssue>& issues) {
  TFormScan scan;
  String scanError;
  Int64 scanErrorAt = -1;
  {
    TStringStream s(binary);
    TReader r(&s);
    try {
      r.ReadSignature();
      ScanComponent(r, scan, true, 0);
    } catch (const Exception& e) {
      scanError = e.Message();
      scanErrorAt = r.Position();
    }
  }
  bool rootKnown = false;
  std::unique_ptr<TComponent> root(MakeRoot(scan, rootKnown));
  TStringStream s(binary);
  TReader reader(&s);
  TCheckReading handler{&placer, &issues, rootKnown};
  reader.OnError = MakeMethod<&TCheckReading::Error>(&handler);
  reader.OnFindMethod = MakeMethod<&TCheckReading::FindMethod>(&handler);
  try {
    reader.ReadRootComponent(root.get());
  } catch (const Exception& e) {
    const TReader::TReadPlace& place = reader.ErrorPlace();
    issues.push_back(placer.At(place.Position, place.Path, TFormIssue::Error, e.Message()));
    return;
  }
  if (!scanError.empty()) {
    issues.push_back(placer.At(scanErrorAt, {}, TFormIssue::Error, scanError));
    return;
  }
  CheckUnresolved(reader, scan, root.get(), placer, issues);
  CheckLanguageData(scan, root.get(), placer, issues);
}

bool IsBinaryForm(const std::vector<Byte>& data) { return data.size() >= 4 && std::memcmp(data.data(), "TPF0", 4) == 0; }

String LoadFormFile(const String& fileName) {
  if (GetFileSize(fileName) > MaxFormFileSize) throw EReadError("larger than a form file can be");
  return LoadFromFile(fileName);
}

TFormIssue FileIssue(const String& message) {
  TFormIssue issue;
  issue.Message = message;
  return issue;
}

}  // namespace

TFormIssue ParserErrorIssue(const EParserError& e) {
  TFormIssue issue;
  issue.Line = e.Line();
  issue.Column = e.Column();
  issue.Message = e.ErrorMessage();
  return issue;
}

String FormIssueText(const String& fileName, const TFormIssue& issue, bool unknownClassIsError) {
  const bool warning =
      issue.Level == TFormIssue::Warning || (issue.Level == TFormIssue::UnknownClass && !unknownClassIsError);
  String where = fileName;
  if (!issue.Resource.empty()) where += "(" + issue.Resource + ")";
  if (issue.Line > 0) {
    where += ":" + IntToStr(issue.Line) + ":" + IntToStr(issue.Column);
  } else {
    if (issue.Offset >= 0) where += ": byte " + IntToStr(issue.Offset);
    if (!issue.Path.empty()) where += ": " + issue.Path;
  }
  return where + ": " + (warning ? "warning: " : "") + issue.Message;
}

std::vector<TFormIssue> CheckFormFile(const String& fileName, String* binary) {
  if (binary) binary->clear();
  String data;
  try {
    data = LoadFormFile(fileName);
  } catch (const Exception& e) {
    return {FileIssue(e.Message())};
  }
  return CheckFormData(data, binary);
}

std::vector<TFormIssue> CheckFormData(const String& data, String* binary) {
  std::vector<TFormIssue> issues;
  if (binary) binary->clear();
  try {
    const auto* bytes = reinterpret_cast<const Byte*>(data.data());
    if (IsResourceImage(bytes, data.size())) {
      TStringStream in(data);
      TResourceFile rf;
      rf.LoadFromStream(&in);
      for (const TResItem& item : rf.Items) {
        if (item.TypeId != RT_RCDATA || !IsBinaryForm(item.Data)) continue;
        const String form(item.Data.begin(), item.Data.end());
        TPlacer placer;
        placer.Resource = item.Name.empty() ? "#" + IntToStr(item.NameId) : item.Name;
        const size_t before = issues.size();
        CheckBinary(form, placer, issues);
        if (binary && binary->empty() && issues.size() == before) *binary = form;
      }
      return issues;
    }
    TStringStream in(data);
    TPlacer placer;
    TTextSourceMap map;
    String form;
    switch (TestStreamFormat(&in)) {
      case sofBinary:
        form = data;
        break;
      case sofResource:
        in.ReadResHeader();
        placer.Base = in.Position();
        form = data.substr(static_cast<size_t>(placer.Base));
        break;
      case sofText:
        form = ObjectTextToBinary(data, &map);
        placer.Map = &map;
        break;
      default:
        issues.push_back(FileIssue("neither a form file nor a resource file"));
        return issues;
    }
    CheckBinary(form, placer, issues);
    if (binary) *binary = form;
  } catch (const EParserError& e) {
    issues.push_back(ParserErrorIssue(e));
  } catch (const Exception& e) {
    issues.push_back(FileIssue(e.Message()));
  }
  return issues;
}

String TextFormFileToBinary(const String& fileName, std::vector<TFormIssue>& issues) {
  try {
    return ObjectTextToBinary(LoadFormFile(fileName));
  } catch (const EParserError& e) {
    issues.push_back(ParserErrorIssue(e));
  } catch (const Exception& e) {
    issues.push_back(FileIssue(e.Message()));
  }
  return {};
}

}  // namespace xel
