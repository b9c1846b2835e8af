// TStrings and TStringList: lists of strings with one attached object each.
#pragma once

#include <vector>

#include "Persistent.h"

namespace xel {

XEL_ENUM(TDuplicates, dupIgnore, dupAccept, dupError)

class TStream;

class TStrings : public TPersistent {
  XEL_CLASS(TStrings, TPersistent)
public:
  // The storage that a descendant provides.
  virtual String Get(int index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int index) const;
  virtual void Put(int index, const String& s);
  virtual void PutObject(int index, TObject* obj);
  virtual void Insert(int index, const String& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  virtual int Add(const String& s);
  virtual int AddObject(const String& s, TObject* obj);
  void InsertObject(int index, const String& s, TObject* obj);
  void Append(const String& s) { Add(s); }
  virtual void AddStrings(const TStrings* strings);
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  virtual int IndexOf(std::string_view s) const;
  int IndexOfName(std::string_view name) const;
  int IndexOfObject(const TObject* obj) const;

  int Count() const { return GetCount(); }
  String Strings(int index) const { return Get(index); }
  void SetStrings(int index, const String& s) { Put(index, s); }
  String operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* obj) { PutObject(index, obj); }

  // Lines of the form name=value.
  String Names(int index) const;
  String Values(std::string_view name) const;
  // Sets the value of the first line with that name; an empty value deletes the line,
  // an unknown name appends one.
  void SetValues(std::string_view name, const String& value);

  // Each line followed by CR LF; setting splits at CR LF, CR or LF.
  virtual String GetText() const;
  virtual void SetText(std::string_view text);
  String Text() const { return GetText(); }

  // Items separated by commas, quoted with '"' where needed; an unquoted blank also separates.
  String CommaText() const;
  void SetCommaText(std::string_view text);
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char c) { FDelimiter = c; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char c) { FQuoteChar = c; }
  String DelimitedText() const;
  void SetDelimitedText(std::string_view text);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void Assign(TPersistent* source) override;
  bool Equals(const TStrings* strings) const;
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName) const;
  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream) const;
  // Stores the lines as "Strings", a list of strings, when there are any (or, against an
  // ancestor, when they differ).
  void DefineProperties(TFiler* filer) override;

protected:
  // Called with true when the first BeginUpdate starts and false when the last EndUpdate ends.
  virtual void SetUpdateState(bool updating);
  virtual int CompareStrings(std::string_view a, std::string_view b) const;
  [[noreturn]] void Error(const char* msg, Int64 data) const;

private:
  String GetDelimited(char delimiter, char quote) const;
  void SetDelimited(std::string_view text, char delimiter, char quote);

  int FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
};

class TStringList;
using TStringListSortCompare = int (*)(TStringList* list, int index1, int index2);

class TStringList : public TStrings {
  XEL_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  ~TStringList() override;

  String Get(int index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int index) const override;
  void Put(int index, const String& s) override;
  void PutObject(int index, TObject* obj) override;
  void Insert(int index, const String& s) override;
  void Delete(int index) override;
  void Clear() override;

  int Add(const String& s) override;
  int AddObject(const String& s, TObject* obj) override;
  void Exchange(int index1, int index2) override;
  int IndexOf(std::string_view s) const override;
  // Binary search of a sorted list: true when found; index is where it is or would go.
  virtual bool Find(std::string_view s, int& index) const;
  virtual void Sort();
  virtual void CustomSort(TStringListSortCompare compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool updating) override;
  int CompareStrings(std::string_view a, std::string_view b) const override;

private:
  struct TItem {
    String S;
    TObject* O = nullptr;
  };
  void InsertItem(int index, const String& s, TObject* obj);
  void CheckIndex(int index) const;

  std::vector<TItem> FList;
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
};

}  // namespace xel
