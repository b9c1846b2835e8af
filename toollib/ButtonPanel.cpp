#include "ButtonPanel.h"

#include <algorithm>

#include "Filer.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/ButtonPanel.cpp 1 10.12.26 7:40 XG $")

namespace xel {

// ---------------------------------------------------------------- TExBitBtn

void TExBitBtn::Click() {
  if (!IsEnabled()) return;
  TBitBtn::Click();
  if (FItem)
    if (TButtonPanel* panel = FItem->Panel()) panel->ButtonClicked(FItem);
}

// ---------------------------------------------------------------- TButtonItem

// The item joins its collection only once its button exists: joining lays the panel out.
TButtonItem::TButtonItem(TCollection* collection) : TCollectionItem(nullptr) {
  auto* buttons = dynamic_cast<TButtonCollection*>(collection);
  TButtonPanel* panel = buttons ? buttons->Panel() : nullptr;
  FButton = new TExBitBtn(panel);
  FButton->FItem = this;
  FButton->SetParent(panel);
  SetCollection(collection);
}

TButtonItem::~TButtonItem() {
  SetCollection(nullptr);
  delete FButton;
}

TButtonPanel* TButtonItem::Panel() const {
  auto* buttons = dynamic_cast<TButtonCollection*>(Collection());
  return buttons ? buttons->Panel() : nullptr;
}

String TButtonItem::GetDisplayName() const {
  return GetCaption().empty() ? TCollectionItem::GetDisplayName() : GetCaption();
}

void TButtonItem::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TButtonItem*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  // The kind first: it brings a caption and a modal result that the others may override.
  FButton->SetKind(other->GetKind());
  FButton->SetText(other->GetCaption());
  FButton->SetGlyph(other->GetGlyph());
  FButton->SetModalResult(other->GetModalResult());
  FButton->SetNumGlyphs(other->GetNumGlyphs());
  FButton->SetCancel(other->GetCancel());
  FButton->SetDefault(other->GetDefault());
  FButton->SetEnabled(other->GetEnabled());
  FButton->SetVisible(other->GetVisible());
  FButton->OnClick = other->GetOnClick();
  FButton->OnEnter = other->GetOnEnter();
  FButton->OnExit = other->GetOnExit();
  FButton->OnKeyPress = other->GetOnKeyPress();
  Changed(false);
}

// ---------------------------------------------------------------- TButtonCollection

TButtonCollection::TButtonCollection(TButtonPanel* panel)
    : TOwnedCollection(panel, TButtonItem::StaticClass()), FPanel(panel) {}

void TButtonCollection::Update(TCollectionItem*) {
  if (FPanel) FPanel->LayoutButtons();
}

// ---------------------------------------------------------------- TButtonPanel

TButtonPanel::TButtonPanel(TComponent* owner)
    : TPanel(owner), FButtons(std::make_unique<TButtonCollection>(this)) {
  FControlStyle.Exclude(csSetCaption);
}

TButtonPanel::~TButtonPanel() {
  // The items free their buttons while the panel still holds them.
  ++FUpdateCount;
  FButtons.reset();
}

void TButtonPanel::SetButtonAlignment(TButtonAlignment v) {
  if (SetIfChanged(FButtonAlignment, v)) LayoutButtons();
}

void TButtonPanel::SetButtonDimX(Integer v) {
  if (SetIfChanged(FButtonDimX, v)) LayoutButtons();
}

void TButtonPanel::SetButtonDimY(Integer v) {
  if (SetIfChanged(FButtonDimY, v)) LayoutButtons();
}

void TButtonPanel::SetButtonDist(Integer v) {
  if (SetIfChanged(FButtonDist, v)) LayoutButtons();
}

void TButtonPanel::EndUpdateButtons() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) LayoutButtons();
}

void TButtonPanel::LayoutButtons() {
  if (!FButtons || FUpdateCount > 0 || ComponentState().Contains(csLoading)) return;
  const int count = FButtons->Count();
  Integer n = 0;
  for (int i = 0; i < count; ++i)
    if (FButtons->Items(i)->GetVisible()) ++n;
  if (n == 0) return;  // the buttons are all hidden already
  const bool horizontal = Width() > Height();
  const Integer length = horizontal ? Width() : Height();
  const Integer cross = horizontal ? Height() : Width();
  Integer size = horizontal ? FButtonDimX : FButtonDimY;
  Integer thickness = horizontal ? FButtonDimY : FButtonDimX;
  Integer gap = FButtonDist;
  // Too short a panel takes from the gaps first, then from the buttons.
  if (length < gap + (size + gap) * n) {
    gap = (length - size * n) / (n + 1);
    if (gap < 0 || length < gap + (size + gap) * n) {
      size = length / n;
      gap = 0;
    }
  }
  thickness = std::min(thickness, cross);
  Integer pos = 0;
  switch (FButtonAlignment) {
    case baLeft: pos = gap; break;
    case baRight: pos = length - (gap + size) * n; break;
    case baCenter: pos = (gap + length - n * (size + gap)) / 2; break;
  }
  const Integer across = (cross - thickness) / 2;
  for (int i = 0; i < count; ++i) {
    TExBitBtn* button = FButtons->Items(i)->Button();
    if (!button->GetVisible()) continue;
    if (horizontal) button->SetBounds(pos, across, size, thickness);
    else button->SetBounds(across, pos, thickness, size);
    pos += size + gap;
  }
}

void TButtonPanel::Resize() {
  LayoutButtons();
  TPanel::Resize();
}

void TButtonPanel::Loaded() {
  TPanel::Loaded();
  LayoutButtons();
}

void TButtonPanel::DefineProperties(TFiler* filer) {
  TPanel::DefineProperties(filer);
  filer->DefineProperty(
      "ButtonsEmpty",
      [this](TReader* reader) {
        if (reader->ReadBoolean()) FButtons->Clear();
      },
      [](TWriter* writer) { writer->WriteBoolean(true); }, FButtons->Count() == 0);
}

void RegisterButtonPanelClasses() { RegisterClasses({TButtonPanel::StaticClass()}); }

}  // namespace xel
