#include "StringList.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Filer.h"
#include "Format.h"
#include "IniFiles.h"

namespace xel {

// ---- TStrings ----------------------------------------------------------------------------

void TStrings::Error(const char* msg, Int64 data) const { throw EStringListError(Format(msg, {data})); }

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

void TStrings::Put(int index, const String& s) {
  TObject* obj = GetObject(index);
  Delete(index);
  InsertObject(index, s, obj);
}

int TStrings::Add(const String& s) {
  int result = GetCount();
  Insert(result, s);
  return result;
}

int TStrings::AddObject(const String& s, TObject* obj) {
  int result = Add(s);
  PutObject(result, obj);
  return result;
}

void TStrings::InsertObject(int index, const String& s, TObject* obj) {
  Insert(index, s);
  PutObject(index, obj);
}

void TStrings::AddStrings(const TStrings* strings) {
  BeginUpdate();
  TFinally endUpdate([this] { EndUpdate(); });
  for (int i = 0; i < strings->Count(); ++i) AddObject(strings->Get(i), strings->GetObject(i));
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  TFinally endUpdate([this] { EndUpdate(); });
  String s = Get(index1);
  TObject* o = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s);
  PutObject(index2, o);
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  BeginUpdate();
  TFinally endUpdate([this] { EndUpdate(); });
  String s = Get(curIndex);
  TObject* o = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, s, o);
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return CompareText(a, b); }

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0; i < GetCount(); ++i) {
    String s = Get(i);
    size_t p = s.find('=');
    if (p != String::npos && CompareStrings(std::string_view(s).substr(0, p), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == obj) return i;
  return -1;
}

String TStrings::Names(int index) const {
  String s = Get(index);
  size_t p = s.find('=');
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(std::string_view name) const {
  int i = IndexOfName(name);
  if (i < 0) return {};
  String s = Get(i);
  return s.substr(s.find('=') + 1);
}

void TStrings::SetValues(std::string_view name, const String& value) {
  int i = IndexOfName(name);
  if (!value.empty()) {
    if (i < 0) i = Add(String());
    Put(i, String(name) + "=" + value);
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::GetText() const {
  String r;
  for (int i = 0; i < GetCount(); ++i) {
    r += Get(i);
    r += "\r\n";
  }
  return r;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  TFinally endUpdate([this] { EndUpdate(); });
  Clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    Add(String(text.substr(start, i - start)));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

String TStrings::GetDelimited(char delimiter, char quote) const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return String(2, quote);
  String r;
  for (int i = 0; i < n; ++i) {
    String s = Get(i);
    bool needsQuote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == quote || c == delimiter) {
        needsQuote = true;
        break;
      }
    if (needsQuote) {
      String q(1, quote);
      for (char c : s) {
        q += c;
        if (c == quote) q += quote;
      }
      q += quote;
      s = q;
    }
    if (i > 0) r += delimiter;
    r += s;
  }
  return r;
}

void TStrings::SetDelimited(std::string_view text, char delimiter, char quote) {
  auto blank = [](char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; };
  BeginUpdate();
  TFinally endUpdate([this] { EndUpdate(); });
  Clear();
  size_t i = 0;
  while (i < text.size() && blank(text[i])) ++i;
  while (i < text.size()) {
    String s;
    if (text[i] == quote) {
      ++i;
      while (i < text.size()) {
        if (text[i] == quote) {
          if (i + 1 < text.size() && text[i + 1] == quote) {
            s += quote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        s += text[i++];
      }
    } else {
      size_t start = i;
      while (i < text.size() && static_cast<unsigned char>(text[i]) > ' ' && text[i] != delimiter) ++i;
      s = String(text.substr(start, i - start));
    }
    Add(s);
    while (i < text.size() && blank(text[i])) ++i;
    if (i < text.size() && text[i] == delimiter) {
      do {
        ++i;
      } while (i < text.size() && blank(text[i]));
    }
  }
}

String TStrings::CommaText() const { return GetDelimited(',', '"'); }
void TStrings::SetCommaText(std::string_view text) { SetDelimited(text, ',', '"'); }
String TStrings::DelimitedText() const { return GetDelimited(FDelimiter, FQuoteChar); }
void TStrings::SetDelimitedText(std::string_view text) { SetDelimited(text, FDelimiter, FQuoteChar); }

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TStrings*>(source)) {
    if (src == this) return;
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    Clear();
    AddStrings(src);
    return;
  }
  TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings* strings) const {
  if (GetCount() != strings->GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != strings->Get(i)) return false;
  return true;
}

void TStrings::LoadFromFile(const String& fileName) { SetText(ReadTextFile(fileName, true)); }

void TStrings::SaveToFile(const String& fileName) const {
  TFileStream f(fileName, fmCreate);
  SaveToStream(&f);
}

void TStrings::LoadFromStream(TStream* stream) {
  Int64 n = stream->Size() - stream->Position();
  String data(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) stream->ReadBuffer(data.data(), n);
  SetText(data);
}

void TStrings::SaveToStream(TStream* stream) const {
  String text = GetText();
  stream->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

void TStrings::DefineProperties(TFiler* filer) {
  bool hasData;
  if (auto* ancestor = dynamic_cast<TStrings*>(filer->Ancestor())) hasData = !Equals(ancestor);
  else hasData = GetCount() > 0;
  filer->DefineProperty(
      "Strings",
      [this](TReader* reader) {
        reader->ReadListBegin();
        {
          BeginUpdate();
          TFinally endUpdate([this] { EndUpdate(); });
          Clear();
          while (!reader->EndOfList()) Add(reader->ReadString());
        }
        reader->ReadListEnd();
      },
      [this](TWriter* writer) {
        writer->WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) writer->WriteString(Get(i));
        writer->WriteListEnd();
      },
      hasData);
}

// ---- TStringList -------------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) Error(SConst::ListIndexError, index);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

String TStringList::Get(int index) const {
  CheckIndex(index);
  return FList[static_cast<size_t>(index)].S;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FList[static_cast<size_t>(index)].O;
}

void TStringList::Put(int index, const String& s) {
  if (FSorted) Error(SConst::SortedListError, 0);
  CheckIndex(index);
  Changing();
  FList[static_cast<size_t>(index)].S = s;
  Changed();
}

void TStringList::PutObject(int index, TObject* obj) {
  CheckIndex(index);
  Changing();
  FList[static_cast<size_t>(index)].O = obj;
  Changed();
}

void TStringList::InsertItem(int index, const String& s, TObject* obj) {
  Changing();
  FList.insert(FList.begin() + index, TItem{s, obj});
  Changed();
}

void TStringList::Insert(int index, const String& s) {
  if (FSorted) Error(SConst::SortedListError, 0);
  if (index < 0 || index > GetCount()) Error(SConst::ListIndexError, index);
  InsertItem(index, s, nullptr);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  FList.erase(FList.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

int TStringList::Add(const String& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* obj) {
  int index = GetCount();
  if (FSorted && Find(s, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error(SConst::DuplicateString, 0);
  }
  InsertItem(index, s, obj);
  return index;
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
  Changed();
}

bool TStringList::Find(std::string_view s, int& index) const {
  bool result = false;
  int lo = 0, hi = GetCount() - 1;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareStrings(FList[static_cast<size_t>(mid)].S, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        result = true;
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return result;
}

int TStringList::IndexOf(std::string_view s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

namespace {

// Merge sort of a permutation: stable, and safe with a comparison that is not consistent.
void MergeSort(std::vector<int>& perm, std::vector<int>& tmp, size_t lo, size_t hi,
               const std::function<int(int, int)>& cmp) {
  if (hi - lo < 2) return;
  size_t mid = (lo + hi) / 2;
  MergeSort(perm, tmp, lo, mid, cmp);
  MergeSort(perm, tmp, mid, hi, cmp);
  size_t a = lo, b = mid, k = lo;
  while (a < mid && b < hi) tmp[k++] = cmp(perm[b], perm[a]) < 0 ? perm[b++] : perm[a++];
  while (a < mid) tmp[k++] = perm[a++];
  while (b < hi) tmp[k++] = perm[b++];
  for (size_t i = lo; i < hi; ++i) perm[i] = tmp[i];
}

}  // namespace

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (FList.size() < 2 || !compare) return;
  Changing();
  std::vector<int> perm(FList.size()), tmp(FList.size());
  for (size_t i = 0; i < perm.size(); ++i) perm[i] = static_cast<int>(i);
  // The comparison reads the list by index, so the items stay in place while it runs.
  MergeSort(perm, tmp, 0, perm.size(), [&](int a, int b) { return compare(this, a, b); });
  std::vector<TItem> sorted;
  sorted.reserve(FList.size());
  for (int i : perm) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
  FList = std::move(sorted);
  Changed();
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int a, int b) {
    return list->CompareStrings(list->FList[static_cast<size_t>(a)].S, list->FList[static_cast<size_t>(b)].S);
  });
}

void TStringList::SetSorted(bool value) {
  if (FSorted == value) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (FCaseSensitive == value) return;
  FCaseSensitive = value;
  if (FSorted) Sort();
}

}  // namespace xel
