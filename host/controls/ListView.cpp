#include "ListView.h"

#include <algorithm>

#include "Forms.h"

namespace xel {

// ---------------------------------------------------------------- columns

void TListColumn::Assign(TPersistent* source) {
  if (auto* c = dynamic_cast<TListColumn*>(source)) {
    FCaption = c->FCaption;
    FWidth = c->FWidth;
    FAlignment = c->FAlignment;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

void TListColumn::SetCaption(const String& v) {
  if (SetIfChanged(FCaption, v)) Changed(false);
}

void TListColumn::SetWidth(Integer v) {
  if (SetIfChanged(FWidth, v)) Changed(false);
}

void TListColumn::SetAlignment(TAlignment v) {
  if (SetIfChanged(FAlignment, v)) Changed(false);
}

TListColumns::TListColumns(TCustomListView* owner) : TOwnedCollection(owner, TListColumn::StaticClass()) {}

void TListColumns::Update(TCollectionItem* item) {
  TOwnedCollection::Update(item);
  if (auto* lv = dynamic_cast<TCustomListView*>(GetOwner())) lv->Changed(waColumns);
}

// ---------------------------------------------------------------- items

TListItem::TListItem(TCustomListView* owner) : FOwner(owner), FSubItems(std::make_unique<TStringList>()) {
  FSubItems->OnChange = MakeMethod<&TListItem::SubItemsChanged>(this);
}

TListItem::~TListItem() { FSubItems->OnChange = nullptr; }

void TListItem::SubItemsChanged(TObject*) {
  if (FOwner) FOwner->ItemsChanged();
}

void TListItem::SetCaption(const String& v) {
  if (FCaption == v) return;
  FCaption = v;
  if (FOwner) FOwner->ItemsChanged();
}

int TListItem::Index() const {
  auto& list = FOwner->FItems;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

bool TListItem::Selected() const { return FOwner && FOwner->FSelected == this; }

void TListItem::SetSelected(bool v) {
  if (!FOwner) return;
  if (v) FOwner->SetSelected(this);
  else if (FOwner->FSelected == this) FOwner->SetSelected(nullptr);
}

void TListItem::Delete() { FOwner->DeleteItem(Index()); }

// ---------------------------------------------------------------- the view

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner), FColumns(std::make_unique<TListColumns>(this)), FCanvas(std::make_unique<TCanvas>()) {
  FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks};
  SetTabStop(true);
  SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() {
  FSelected = nullptr;
  for (TListItem* i : std::exchange(FItems, {})) delete i;
  FColumns.reset();
}

TListItem* TCustomListView::Item(int index) const {
  if (index < 0 || index >= ItemCount()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FItems[index];
}

TListItem* TCustomListView::AddItem() { return InsertItem(ItemCount()); }

TListItem* TCustomListView::InsertItem(int index) {
  index = std::clamp(index, 0, ItemCount());
  auto* item = new TListItem(this);
  FItems.insert(FItems.begin() + index, item);
  ItemsChanged();
  return item;
}

void TCustomListView::DeleteItem(int index) {
  TListItem* item = Item(index);
  if (FSelected == item) SetSelected(nullptr);
  FItems.erase(FItems.begin() + index);
  delete item;
  ItemsChanged();
}

void TCustomListView::ClearItems() {
  SetSelected(nullptr);
  for (TListItem* i : std::exchange(FItems, {})) delete i;
  ItemsChanged();
}

void TCustomListView::ItemsChanged() { Changed(waItems); }

void TCustomListView::SetSelected(TListItem* item) {
  if (FSelected == item) return;
  if (TListItem* old = FSelected) {
    FSelected = nullptr;
    OnSelectItem(this, old, false);
  }
  FSelected = item;
  if (item) OnSelectItem(this, item, true);
  Changed(waSelection);
}

void TCustomListView::SetViewStyle(TViewStyle v) {
  if (FViewStyle == v) return;
  FViewStyle = v;
  Changed(waStyle);
}

void TCustomListView::SetSortType(TSortType v) {
  if (FSortType == v) return;
  FSortType = v;
  if (v != stNone) AlphaSort();
}

void TCustomListView::AlphaSort() { CustomSort(0); }

void TCustomListView::CustomSort(Integer data) {
  std::stable_sort(FItems.begin(), FItems.end(), [&](TListItem* a, TListItem* b) {
    Integer c = 0;
    if (OnCompare) OnCompare(this, a, b, data, c);
    else c = CompareText(a->Caption(), b->Caption());
    return c < 0;
  });
  ItemsChanged();
}

Integer TCustomListView::RowHeight() const { return ScreenTextExtent(*GetFont(), "Xy").Y + 4; }

TListItem* TCustomListView::GetItemAt(Integer x, Integer y) const {
  Integer h = RowHeight();
  Integer top = FViewStyle == vsReport ? h : 0;
  if (x < 0 || y < top) return nullptr;
  Integer row = (y - top) / h;
  if (row >= ItemCount()) return nullptr;
  if (!FRowSelect && FViewStyle == vsReport && FColumns->Count() > 0 && x >= FColumns->Items(0)->GetWidth())
    return nullptr;  // outside the caption column
  return FItems[row];
}

TListColumn* TCustomListView::ColumnAt(Integer x) const {
  Integer left = 0;
  for (int i = 0; i < FColumns->Count(); ++i) {
    TListColumn* c = FColumns->Items(i);
    if (x >= left && x < left + c->GetWidth()) return c;
    left += c->GetWidth();
  }
  return nullptr;
}

// A click on the header of a report names its column; a click on a row selects it.
void TCustomListView::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (IsEnabled()) {
    if (FViewStyle == vsReport && y >= 0 && y < RowHeight()) {
      if (button == mbLeft)
        if (TListColumn* c = ColumnAt(x)) OnColumnClick(this, c);
    } else if (button == mbLeft || button == mbRight) {
      SetSelected(GetItemAt(x, y));
    }
  }
  TWinControl::MouseDown(button, shift, x, y);
}

bool TCustomListView::WantsKey(Word key, TShiftState) const {
  return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END;
}

void TCustomListView::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (FItems.empty()) return;
  int i = ItemIndex(), last = ItemCount() - 1, next = i;
  switch (key) {
    case VK_DOWN: next = std::min(last, i + 1); break;
    case VK_UP: next = std::max(0, i - 1); break;
    case VK_HOME: next = 0; break;
    case VK_END: next = last; break;
    default: return;
  }
  key = 0;
  SetSelected(FItems[next]);
}

void TCustomListView::PaintWindow(TCanvas* canvas) {
  TCanvas* c = FCanvas.get();
  TCanvasScope scope(c, canvas, GetFont());
  c->Brush()->SetColor(GetColor());
  c->FillRect(Rect(0, 0, Width(), Height()));
  Integer h = RowHeight();
  Integer y = 0;
  if (FViewStyle == vsReport) {
    Integer x = 0;
    for (int i = 0; i < FColumns->Count(); ++i) {
      TListColumn* col = FColumns->Items(i);
      TRect r = Rect(x, 0, x + col->GetWidth(), h);
      c->Brush()->SetColor(clBtnFace);
      c->FillRect(r);
      c->TextRect(r, x + 4, 2, col->GetCaption());
      x += col->GetWidth();
    }
    y = h;
  }
  for (TListItem* item : FItems) {
    bool selected = item == FSelected;
    c->Brush()->SetColor(selected ? clHighlight : GetColor());
    c->Font()->SetColor(selected ? clHighlightText : GetFont()->GetColor());
    if (FViewStyle == vsReport && FColumns->Count() > 0) {
      Integer x = 0;
      for (int k = 0; k < FColumns->Count(); ++k) {
        Integer w = FColumns->Items(k)->GetWidth();
        String text = k == 0 ? item->Caption() : (k - 1 < item->SubItems()->Count() ? item->SubItems()->Strings(k - 1) : String());
        TRect r = Rect(x, y, x + w, y + h);
        if (selected && (k == 0 || FRowSelect)) c->FillRect(r);
        c->TextRect(r, x + 4, y + 2, text);
        x += w;
      }
    } else {
      c->TextOut(2, y + 2, item->Caption());
    }
    y += h;
    if (y > Height()) break;
  }
}

// "ItemsData": the number of items, then each as its caption, image index and
// sub-items, strings as 32-bit length and bytes.
void TCustomListView::DefineProperties(TFiler* filer) {
  TWinControl::DefineProperties(filer);
  auto writeString = [](TStream* s, const String& v) {
    auto n = static_cast<Integer>(v.size());
    s->WriteBuffer(&n, 4);
    s->WriteBuffer(v.data(), n);
  };
  auto readString = [](TStream* s) {
    Integer n = 0;
    s->ReadBuffer(&n, 4);
    if (n < 0 || n > s->Remaining()) throw EReadError("Invalid list item data");
    String v(static_cast<size_t>(n), '\0');
    s->ReadBuffer(v.data(), n);
    return v;
  };
  filer->DefineBinaryProperty(
      "ItemsData",
      [this, readString](TStream* s) {
        ClearItems();
        Integer count = 0;
        s->ReadBuffer(&count, 4);
        if (count < 0 || count > s->Remaining() / 12) throw EReadError("Invalid list item data");
        for (Integer i = 0; i < count; ++i) {
          TListItem* item = AddItem();
          item->FCaption = readString(s);
          s->ReadBuffer(&item->FImageIndex, 4);
          Integer subs = 0;
          s->ReadBuffer(&subs, 4);
          if (subs < 0 || subs > s->Remaining() / 4) throw EReadError("Invalid list item data");
          for (Integer k = 0; k < subs; ++k) item->SubItems()->Add(readString(s));
        }
      },
      [this, writeString](TStream* s) {
        auto count = static_cast<Integer>(FItems.size());
        s->WriteBuffer(&count, 4);
        for (TListItem* item : FItems) {
          writeString(s, item->FCaption);
          s->WriteBuffer(&item->FImageIndex, 4);
          Integer subs = item->SubItems()->Count();
          s->WriteBuffer(&subs, 4);
          for (Integer k = 0; k < subs; ++k) writeString(s, item->SubItems()->Strings(k));
        }
      },
      !FItems.empty());
}

void RegisterListViewClasses() { RegisterClasses({TListView::StaticClass()}); }

}  // namespace xel
