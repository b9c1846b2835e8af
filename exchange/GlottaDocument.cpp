#include "GlottaDocument.h"

#include <algorithm>
#include <deque>
#include <unordered_set>
#include <utility>

#include "Application.h"
#include "ClassRegistry.h"
#include "Collection.h"
#include "Expand.h"
#include "FileTools.h"
#include "Filer.h"
#include "Format.h"
#include "Forms.h"
#include "ResFile.h"
#include "SuperForm.h"
#include "TextForms.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /exchange/GlottaDocument.cpp 1 10.12.26 18:40 XG $")

namespace xel {

namespace {

// Form files larger than this are refused before they are read.
constexpr Int64 MaxDocumentSize = Int64(256) << 20;
constexpr int MaxScanDepth = 64;

// A root of the base class that reports the class the file names.
template <class Base>
class TStandIn : public Base {
public:
  using Base::Base;
  TClass ClassType() const override { return FShownClass ? FShownClass : Base::StaticClass(); }
  TClass FShownClass = nullptr;
};

// ---- what the stream holds, read without classes -----------------------------------------

struct TStoredEntry {
  String Name;
  std::vector<String> Props;
  std::vector<TStoredEntry> Items;
};

struct TIdentValue {
  String Component;  // empty for the root
  String Prop;       // "OnClick"; in a collection item "Buttons.1.OnClick"
  String Ident;
};

struct TScan {
  String RootClass;
  String RootName;
  std::vector<TIdentValue> Idents;
  std::vector<TStoredEntry> Entries;  // the language component's stored item tree
  bool FormSize = false;              // the root stores a client size, as every form does
};

void ScanEntries(TReader& r, std::vector<TStoredEntry>& out, int depth) {
  if (depth > MaxScanDepth) throw EReadError("Stored language data are nested too deeply");
  r.CheckValue(vaCollection);
  while (!r.EndOfList()) {
    TValueType v = r.NextValue();
    if (v == vaInt8 || v == vaInt16 || v == vaInt32) r.ReadInteger();
    TStoredEntry e;
    r.ReadListBegin();
    while (!r.EndOfList()) {
      const String p = r.ReadStr();
      const TValueType next = r.NextValue();
      if (p == "Name" && (next == vaString || next == vaLString || next == vaWString || next == vaUTF8String)) {
        e.Name = r.ReadString();
      } else if (p == "Ref" && next == vaIdent) {
        e.Name = r.ReadIdent();
      } else if (p == "Props" && next == vaCollection) {
        std::vector<TStoredEntry> props;
        ScanEntries(r, props, depth + 1);
        for (TStoredEntry& item : props) e.Props.push_back(std::move(item.Name));
      } else if (p == "Items" && next == vaCollection) {
        ScanEntries(r, e.Items, depth + 1);
      } else {
        r.SkipValue();
      }
    }
    r.ReadListEnd();
    out.push_back(std::move(e));
  }
  r.ReadListEnd();
}

// The identifiers collection items hold: handlers of items (a button panel's buttons) must
// be bound again when the document is written, as the components' own are.
void ScanItemIdents(TReader& r, const String& component, const String& path, TScan& scan, int depth) {
  if (depth > MaxScanDepth) throw EReadError("Collections are nested too deeply");
  r.CheckValue(vaCollection);
  for (int index = 0; !r.EndOfList(); ++index) {
    const TValueType v = r.NextValue();
    if (v == vaInt8 || v == vaInt16 || v == vaInt32) r.ReadInteger();
    const String item = path + IntToStr(index) + ".";
    r.ReadListBegin();
    while (!r.EndOfList()) {
      const String prop = r.ReadStr();
      const TValueType next = r.NextValue();
      if (next == vaIdent) scan.Idents.push_back({component, item + prop, r.ReadIdent()});
      else if (next == vaCollection) ScanItemIdents(r, component, item + prop + ".", scan, depth + 1);
      else r.SkipValue();
    }
    r.ReadListEnd();
  }
  r.ReadListEnd();
}

void ScanComponent(TReader& r, bool root, TScan& scan, int depth) {
  if (depth > MaxScanDepth) throw EReadError("Components are nested too deeply");
  Byte flags;
  Integer position;
  r.ReadPrefix(flags, position);
  const String cls = r.ReadStr();
  const String name = r.ReadStr();
  if (root) {
    scan.RootClass = cls;
    scan.RootName = name;
  }
  while (!r.EndOfList()) {
    const String prop = r.ReadStr();
    const TValueType next = r.NextValue();
    if (root && (prop == "ClientWidth" || prop == "ClientHeight")) scan.FormSize = true;
    if (next == vaIdent) scan.Idents.push_back({root ? String() : name, prop, r.ReadIdent()});
    else if (prop == "LanguageManager_Comps" && next == vaCollection && scan.Entries.empty())
      ScanEntries(r, scan.Entries, 0);
    else if (next == vaCollection) ScanItemIdents(r, root ? String() : name, prop + ".", scan, depth + 1);
    else r.SkipValue();
  }
  r.ReadListEnd();
  while (!r.EndOfList()) ScanComponent(r, false, scan, depth + 1);
  r.ReadListEnd();
}

TScan Scan(const String& binary) {
  TScan scan;
  TStringStream s(binary);
  TReader r(&s);
  r.ReadSignature();
  ScanComponent(r, true, scan, 0);
  return scan;
}

void Flatten(const TStoredEntry& e, const String& prefix, std::vector<String>& out) {
  for (const String& p : e.Props) out.push_back(prefix + p);
  for (const TStoredEntry& sub : e.Items) Flatten(sub, prefix + sub.Name + ".", out);
}

// Lets the reader pass over event handlers: none of the application's exists here.
struct TMethodSkipper {
  void FindMethod(TReader*, const String&, TMethod& method, bool& error) {
    method = TMethod{};
    error = false;
  }
};

// The stand-in class's published methods, handed to its class reference while it builds.
thread_local const std::vector<TMethodEntry>* PendingMethods = nullptr;
void BuildPendingMethods(std::vector<TMethodEntry>& out) {
  if (PendingMethods) out = *PendingMethods;
}

bool IsBinaryForm(std::string_view data) { return data.size() >= 4 && data.substr(0, 4) == "TPF0"; }

}  // namespace

struct TGlottaDocument::TStandInClasses {
  std::unique_ptr<TMetaClass> Plain;    // while the components live
  std::unique_ptr<TMetaClass> Writing;  // while they are written: with the handlers' names
  std::deque<String> Names;             // their addresses are the handlers' code
  std::vector<TMethodEntry> Methods;
  TClass Base = nullptr;
};

TGlottaDocument::TGlottaDocument(const String& fileName, bool designing)
    : FFileName(fileName), FDesigning(designing) {
  if (GetFileSize(fileName) > MaxDocumentSize)
    throw EReadError(Format("%s is larger than a form file can be", {fileName}));
  FData = LoadFromFile(fileName);
  String binary;
  const auto* bytes = reinterpret_cast<const Byte*>(FData.data());
  if (IsResourceImage(bytes, FData.size())) {
    FFormat = dfResourceFile;
    TStringStream in(FData);
    TResourceFile rf;
    rf.LoadFromStream(&in);
    for (const TResItem& item : rf.Items)
      if (item.TypeId == RT_RCDATA && IsBinaryForm(std::string_view(reinterpret_cast<const char*>(item.Data.data()),
                                                                    item.Data.size()))) {
        FResourceName = item.Name;
        binary.assign(item.Data.begin(), item.Data.end());
        break;
      }
    if (binary.empty()) throw EReadError(Format("%s holds no component resource", {fileName}));
  } else {
    TStringStream in(FData);
    switch (TestStreamFormat(&in)) {
      case sofBinary:
        FFormat = dfBinary;
        binary = FData;
        break;
      case sofResource: {
        FFormat = dfComponentResource;
        Int64 size = 0;
        FResourceName = in.ReadResHeader(&size);
        binary = in.ReadString(in.Remaining());
        break;
      }
      case sofText:
        FFormat = dfText;
        binary = ObjectTextToBinary(FData);
        break;
      default:
        throw EReadError(Format("%s is neither a form file nor a language file", {fileName}));
    }
  }
  Load(binary);
}

TGlottaDocument::~TGlottaDocument() {
  FOwned.reset();
  FClasses.reset();
}

void TGlottaDocument::Load(const String& binary) {
  TScan scan = Scan(binary);
  FClasses = std::make_unique<TStandInClasses>();
  TClass registered = GetClass(scan.RootClass);
  const bool languageFile = registered && registered->InheritsFrom(TGlotta::StaticClass());
  // A root without a client size is tried as a data module first (a form read there would
  // come back with a form's properties it never had); one that owns controls is a form.
  TClass bases[] = {languageFile ? TGlotta::StaticClass() : TForm::StaticClass(), TSuperDataModule::StaticClass()};
  if (!languageFile && !scan.FormSize) std::swap(bases[0], bases[1]);

  String firstError;
  for (TClass base : bases) {
    if (languageFile && base != TGlotta::StaticClass()) break;
    FClasses->Base = base;
    FClasses->Plain = std::make_unique<TMetaClass>(scan.RootClass.c_str(), base, "GlottaDocument", nullptr, false,
                                                   nullptr, nullptr);
    TComponent* root;
    if (base == TGlotta::StaticClass()) {
      // Owned by the application object: a language file's component has no owner form.
      auto* g = new TStandIn<TGlotta>(Application);
      g->FShownClass = FClasses->Plain.get();
      root = g;
    } else if (base == TForm::StaticClass()) {
      auto* f = new TStandIn<TForm>(nullptr, TCreateNew{});
      f->FShownClass = FClasses->Plain.get();
      root = f;
    } else {
      auto* m = new TStandIn<TSuperDataModule>(nullptr);
      m->FShownClass = FClasses->Plain.get();
      root = m;
    }
    FOwned.reset(root);
    if (FDesigning) root->SetDesigning(true);
    try {
      TStringStream s(binary);
      TReader reader(&s);
      TMethodSkipper skipper;
      reader.OnFindMethod = MakeMethod<&TMethodSkipper::FindMethod>(&skipper);
      reader.ReadRootComponent(root);
      if (base == TSuperDataModule::StaticClass())
        for (int i = 0; i < root->ComponentCount(); ++i)
          if (ClassCast<TControl>(root->Components(i))) throw EReadError("A data module holds no controls");
      // A root in design state keeps the name its designer gives it: the file's.
      if (FDesigning) root->SetName(scan.RootName);
      FRoot = root;
      break;
    } catch (const Exception& e) {
      FOwned.reset();
      if (firstError.empty()) firstError = e.Message();
    }
  }
  if (!FRoot) throw EReadError(firstError);
  // Loading adopts the language of the process's frame (the user's, or that of a document
  // read before): the document shows the language it was stored in.
  if (TGlotta* g = Glotta()) {
    TLanguageManager* m = g->LanguageManager();
    const int stored = m->Langs()->IndexOfName(g->LoadedLanguage());
    if (stored >= 0) m->SetLanguageByIndex(stored);
  }

  // The handlers the file names, bound again only while the document is written.
  for (const TIdentValue& v : scan.Idents) {
    TObject* instance = v.Component.empty() ? FRoot : FRoot->FindComponent(v.Component);
    String path = v.Prop;
    for (size_t dot = path.find('.'); instance && dot != String::npos; dot = path.find('.')) {
      const String step = path.substr(0, dot);
      if (auto* collection = dynamic_cast<TCollection*>(instance)) {
        // The item's place, as the scan counted it.
        const bool number = !step.empty() && step.size() < 9 &&
                            std::all_of(step.begin(), step.end(), [](char c) { return c >= '0' && c <= '9'; });
        const int index = number ? static_cast<int>(StrToInt(step)) : -1;
        instance = index >= 0 && index < collection->Count() ? collection->Items(index) : nullptr;
      } else {
        PPropInfo p = GetPropInfo(instance, step);
        instance = p && p->Kind() == tkClass ? GetObjectProp(instance, p) : nullptr;
      }
      path.erase(0, dot + 1);
    }
    PPropInfo p = instance ? GetPropInfo(instance, path) : nullptr;
    if (!p || p->Kind() != tkMethod) continue;
    FEvents.push_back({instance, p, v.Ident});
  }
  std::unordered_set<String, TTextHash, TTextEqual> seen;
  for (const TEventBinding& e : FEvents)
    if (seen.insert(e.Method).second) {
      FClasses->Names.push_back(e.Method);
      FClasses->Methods.push_back(
          TMethodEntry{e.Method, &FClasses->Names.back(), [](TObject* o) -> void* { return o; }});
    }
  FClasses->Writing = std::make_unique<TMetaClass>(scan.RootClass.c_str(), FClasses->Base, "GlottaDocument", nullptr,
                                                   false, nullptr, &BuildPendingMethods);
  PendingMethods = &FClasses->Methods;
  FClasses->Writing->FindMethod("");
  PendingMethods = nullptr;

  // What the stored data named and loading dropped.
  std::vector<String> stored;
  for (const TStoredEntry& e : scan.Entries)
    Flatten(e, (e.Name == "Owner" ? scan.RootName : e.Name) + ".", stored);
  std::unordered_set<String, TTextHash, TTextEqual> present;
  if (TGlotta* g = Glotta())
    if (TComponentEntries* comps = g->LanguageManager()->Comps()) {
      TStringList paths;
      for (int i = 0; i < comps->Count(); ++i) {
        paths.Clear();
        comps->Items(i)->MoveSubItemsToStrings(mmNameOnly, &paths);
        for (int k = 0; k < paths.Count(); ++k) present.insert(comps->Items(i)->Name() + "." + paths[k]);
      }
    }
  for (const String& s : stored)
    if (!present.count(s)) FLostItems.push_back(s);
}

TGlotta* TGlottaDocument::Glotta() const {
  if (auto* g = ClassCast<TGlotta>(FRoot)) return g;
  for (int i = 0; FRoot && i < FRoot->ComponentCount(); ++i)
    if (auto* g = ClassCast<TGlotta>(FRoot->Components(i))) return g;
  return nullptr;
}

namespace {
void SetShownClass(TComponent* root, TClass base, TClass cls) {
  if (base == TGlotta::StaticClass()) static_cast<TStandIn<TGlotta>*>(root)->FShownClass = cls;
  else if (base == TForm::StaticClass()) static_cast<TStandIn<TForm>*>(root)->FShownClass = cls;
  else static_cast<TStandIn<TSuperDataModule>*>(root)->FShownClass = cls;
}
}  // namespace

String TGlottaDocument::WriteBinary() {
  SetShownClass(FRoot, FClasses->Base, FClasses->Writing.get());
  for (const TEventBinding& e : FEvents) {
    const TMethodEntry* m = FClasses->Writing->FindMethod(e.Method);
    e.Prop->SetMethod(e.Instance, TMethod{m->Code, m->DataOf(FRoot)});
  }
  TFinally unbind([this] {
    for (const TEventBinding& e : FEvents) e.Prop->SetMethod(e.Instance, TMethod{});
    SetShownClass(FRoot, FClasses->Base, FClasses->Plain.get());
  });
  TStringStream s;
  s.WriteComponent(FRoot);
  return s.DataString();
}

String TGlottaDocument::SaveToString() {
  String binary = WriteBinary();
  switch (FFormat) {
    case dfText:
      return ObjectBinaryToText(binary);
    case dfBinary:
      return binary;
    case dfComponentResource: {
      TStringStream out;
      Int64 fixup;
      out.WriteResourceHeader(FResourceName, fixup);
      out.WriteBuffer(binary.data(), static_cast<Int64>(binary.size()));
      out.FixupResourceHeader(fixup);
      return out.DataString();
    }
    case dfResourceFile: {
      TStringStream in(FData);
      TResourceFile rf;
      rf.LoadFromStream(&in);
      rf.Put(FResourceName, std::vector<Byte>(binary.begin(), binary.end()));
      TStringStream out;
      rf.SaveToStream(&out);
      return out.DataString();
    }
  }
  return binary;
}

void TGlottaDocument::SaveToFile(const String& fileName) { WriteFileAtomically(fileName, SaveToString()); }

}  // namespace xel
