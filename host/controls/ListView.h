// The list view in report style: columns, items with sub-items, sorting, selection.
#pragma once

#include <memory>
#include <vector>

#include "StdCtrls.h"

namespace xel {

class TCustomListView;

class TListColumn : public TCollectionItem {
  XEL_CLASS(TListColumn, TCollectionItem)
public:
  explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
  void Assign(TPersistent* source) override;
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& v);
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer v);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  String GetDisplayName() const override { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }

  static auto Published() {
    using C = TListColumn;
    return PropTable<C>(Prop("Alignment", &C::GetAlignment, &C::SetAlignment).Default(taLeftJustify),
                        Prop("Caption", &C::GetCaption, &C::SetCaption),
                        Prop("Width", &C::GetWidth, &C::SetWidth).Default(50));
  }

private:
  String FCaption;
  Integer FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TOwnedCollection {
  XEL_CLASS(TListColumns, TOwnedCollection)
public:
  explicit TListColumns(TCustomListView* owner);
  TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  void Update(TCollectionItem* item) override;
};

class TListItem : public TPersistent {
  XEL_CLASS(TListItem, TPersistent)
public:
  explicit TListItem(TCustomListView* owner);
  ~TListItem() override;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& v);
  TStrings* SubItems() const { return FSubItems.get(); }
  void* Data() const { return FData; }
  void SetData(void* v) { FData = v; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer v) { FImageIndex = v; }
  int Index() const;
  bool Selected() const;
  void SetSelected(bool v);
  TCustomListView* ListView() const { return FOwner; }
  void Delete();

private:
  friend class TCustomListView;
  void SubItemsChanged(TObject*);
  TCustomListView* FOwner;
  String FCaption;
  std::unique_ptr<TStringList> FSubItems;
  void* FData = nullptr;
  Integer FImageIndex = -1;
};

XEL_EVENT(TLVCompareEvent, TObject* /*Sender*/, TListItem* /*Item1*/, TListItem* /*Item2*/, Integer /*Data*/,
          Integer& /*Compare*/);
XEL_EVENT(TLVColumnClickEvent, TObject* /*Sender*/, TListColumn* /*Column*/);
XEL_EVENT(TLVSelectItemEvent, TObject* /*Sender*/, TListItem* /*Item*/, bool /*Selected*/);
XEL_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)
XEL_ENUM(TSortType, stNone, stData, stText, stBoth)

class TCustomListView : public TWinControl {
  XEL_CLASS(TCustomListView, TWinControl)
public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;
  TListColumns* GetColumns() const { return FColumns.get(); }
  void SetColumns(TListColumns* v) { FColumns->Assign(v); }
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  TListItem* Item(int index) const;
  TListItem* AddItem();
  TListItem* InsertItem(int index);
  void DeleteItem(int index);
  void ClearItems();
  TListItem* Selected() const { return FSelected; }
  void SetSelected(TListItem* item);
  int ItemIndex() const { return FSelected ? FSelected->Index() : -1; }
  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle v);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool v) { FRowSelect = v; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType v);
  // Sorts with OnCompare when assigned, else by caption ignoring case; stable.
  void AlphaSort();
  void CustomSort(Integer data);
  Integer RowHeight() const;
  // The item of a client row (the header is one row high), and a header column.
  TListItem* GetItemAt(Integer x, Integer y) const;
  TListColumn* ColumnAt(Integer x) const;
  void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  bool WantsKey(Word key, TShiftState shift) const override;
  void PaintWindow(TCanvas* canvas) override;
  void DefineProperties(TFiler* filer) override;

  TLVCompareEvent OnCompare;
  TLVColumnClickEvent OnColumnClick;
  TLVSelectItemEvent OnSelectItem;

protected:
  friend class TListItem;
  friend class TListColumns;
  void ItemsChanged();

private:
  std::unique_ptr<TListColumns> FColumns;
  std::vector<TListItem*> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  TListItem* FSelected = nullptr;
  TViewStyle FViewStyle = vsIcon;
  bool FRowSelect = false;
  bool FReadOnly = false;
  TSortType FSortType = stNone;
};

class TListView : public TCustomListView {
  XEL_CLASS(TListView, TCustomListView)
public:
  using TCustomListView::TCustomListView;
  static auto Published() {
    using C = TListView;
    return PropTable<C>(Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
                        Prop("Columns", &C::GetColumns, &C::SetColumns),
                        Prop("ReadOnly", &C::GetReadOnly, &C::SetReadOnly).Default(false),
                        Prop("RowSelect", &C::GetRowSelect, &C::SetRowSelect).Default(false),
                        Prop("SortType", &C::GetSortType, &C::SetSortType).Default(stNone),
                        Prop("ViewStyle", &C::GetViewStyle, &C::SetViewStyle).Default(vsIcon), XEL_WIN_COMMON(C),
                        Prop("OnClick", &C::OnClick, &C::OnClick),
                        Prop("OnColumnClick", &C::OnColumnClick, &C::OnColumnClick),
                        Prop("OnCompare", &C::OnCompare, &C::OnCompare),
                        Prop("OnDblClick", &C::OnDblClick, &C::OnDblClick),
                        Prop("OnSelectItem", &C::OnSelectItem, &C::OnSelectItem));
  }
};

void RegisterListViewClasses();

}  // namespace xel
