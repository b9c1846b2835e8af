// A panel with a row (or, when higher than wide, a column) of bit-map buttons described by
// a collection and laid out evenly; the package's dialogs carry their buttons on one.
#pragma once

#include <memory>

#include "Buttons.h"
#include "ExtCtrls.h"
#include "Forms.h"

namespace xel {

XEL_ENUM(TButtonAlignment, baLeft, baRight, baCenter)

class TButtonItem;
class TButtonPanel;

XEL_EVENT(TButtonClickNotify, TObject* /*Sender*/, TButtonItem* /*Item*/);

// The button of an item: a bit-map button that also tells its panel about clicks.
class TExBitBtn : public TBitBtn {
  XEL_CLASS(TExBitBtn, TBitBtn)
public:
  explicit TExBitBtn(TComponent* owner) : TBitBtn(owner) {}
  TButtonItem* Item() const { return FItem; }
  // The button's own click (OnClick, modal result), then the panel's OnButtonClick.
  void Click() override;

private:
  friend class TButtonItem;
  TButtonItem* FItem = nullptr;
};

// Every property lives in the item's button, which the item makes and frees.
class TButtonItem : public TCollectionItem {
  XEL_CLASS(TButtonItem, TCollectionItem)
public:
  explicit TButtonItem(TCollection* collection);
  ~TButtonItem() override;

  TExBitBtn* Button() const { return FButton; }
  // The panel of the collection, if the item is in one.
  TButtonPanel* Panel() const;

  TBitBtnKind GetKind() const { return FButton->GetKind(); }
  void SetKind(TBitBtnKind v) { SetButton<&TBitBtn::SetKind>(v); }
  const String& GetCaption() const { return FButton->GetText(); }
  void SetCaption(const String& v) { SetButton<&TBitBtn::SetText>(v); }
  TBitmap* GetGlyph() const { return FButton->GetGlyph(); }
  void SetGlyph(TBitmap* v) { SetButton<&TBitBtn::SetGlyph>(v); }
  TModalResult GetModalResult() const { return FButton->GetModalResult(); }
  void SetModalResult(TModalResult v) { SetButton<&TBitBtn::SetModalResult>(v); }
  Integer GetNumGlyphs() const { return FButton->GetNumGlyphs(); }
  void SetNumGlyphs(Integer v) { SetButton<&TBitBtn::SetNumGlyphs>(v); }
  Integer GetTabOrder() const { return FButton->GetTabOrder(); }
  void SetTabOrder(Integer v) { SetButton<&TBitBtn::SetTabOrder>(v); }
  bool GetCancel() const { return FButton->GetCancel(); }
  void SetCancel(bool v) { SetButton<&TBitBtn::SetCancel>(v); }
  bool GetDefault() const { return FButton->GetDefault(); }
  void SetDefault(bool v) { SetButton<&TBitBtn::SetDefault>(v); }
  bool GetEnabled() const { return FButton->GetEnabled(); }
  void SetEnabled(bool v) { SetButton<&TBitBtn::SetEnabled>(v); }
  bool GetVisible() const { return FButton->GetVisible(); }
  void SetVisible(bool v) { SetButton<&TBitBtn::SetVisible>(v); }
  TNotifyEvent GetOnClick() const { return FButton->OnClick; }
  void SetOnClick(TNotifyEvent v) { FButton->OnClick = v; }
  TNotifyEvent GetOnEnter() const { return FButton->OnEnter; }
  void SetOnEnter(TNotifyEvent v) { FButton->OnEnter = v; }
  TNotifyEvent GetOnExit() const { return FButton->OnExit; }
  void SetOnExit(TNotifyEvent v) { FButton->OnExit = v; }
  TKeyPressEvent GetOnKeyPress() const { return FButton->OnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent v) { FButton->OnKeyPress = v; }
  bool IsCaptionStored() const { return FButton->IsCustomCaption(); }
  bool IsModalResultStored() const { return FButton->IsCustomModalResult(); }

  String GetDisplayName() const override;
  void Assign(TPersistent* source) override;

  static auto Published() {
    using C = TButtonItem;
    return PropTable<C>(Prop("Kind", &C::GetKind, &C::SetKind).Default(bkCustom),
                        Prop("Caption", &C::GetCaption, &C::SetCaption).Stored(&C::IsCaptionStored),
                        Prop("Glyph", &C::GetGlyph, &C::SetGlyph),
                        Prop("ModalResult", &C::GetModalResult, &C::SetModalResult)
                            .Stored(&C::IsModalResultStored),
                        Prop("NumGlyphs", &C::GetNumGlyphs, &C::SetNumGlyphs).Default(1),
                        Prop("TabOrder", &C::GetTabOrder, &C::SetTabOrder),
                        Prop("Cancel", &C::GetCancel, &C::SetCancel).Default(false),
                        Prop("Default", &C::GetDefault, &C::SetDefault).Default(false),
                        Prop("Enabled", &C::GetEnabled, &C::SetEnabled).Default(true),
                        Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true),
                        Prop("OnClick", &C::GetOnClick, &C::SetOnClick),
                        Prop("OnEnter", &C::GetOnEnter, &C::SetOnEnter),
                        Prop("OnExit", &C::GetOnExit, &C::SetOnExit),
                        Prop("OnKeyPress", &C::GetOnKeyPress, &C::SetOnKeyPress));
  }

private:
  // A property of the button changes: the panel lays out again.
  template <auto Setter, class V>
  void SetButton(const V& v) {
    (FButton->*Setter)(v);
    Changed(false);
  }
  TExBitBtn* FButton;
};

// Every change of an item lays the panel out again.
class TButtonCollection : public TOwnedCollection {
  XEL_CLASS(TButtonCollection, TOwnedCollection)
public:
  explicit TButtonCollection(TButtonPanel* panel);
  TButtonPanel* Panel() const { return FPanel; }
  TButtonItem* Items(int index) const { return static_cast<TButtonItem*>(TCollection::Items(index)); }
  TButtonItem* Add() { return static_cast<TButtonItem*>(TCollection::Add()); }

protected:
  void Update(TCollectionItem* item) override;

private:
  TButtonPanel* FPanel;
};

class TButtonPanel : public TPanel {
  XEL_CLASS(TButtonPanel, TPanel)
public:
  explicit TButtonPanel(TComponent* owner);
  ~TButtonPanel() override;

  TButtonAlignment GetButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment v);
  Integer GetButtonDimX() const { return FButtonDimX; }
  void SetButtonDimX(Integer v);
  Integer GetButtonDimY() const { return FButtonDimY; }
  void SetButtonDimY(Integer v);
  Integer GetButtonDist() const { return FButtonDist; }
  void SetButtonDist(Integer v);
  TButtonCollection* GetButtons() const { return FButtons.get(); }
  void SetButtons(TButtonCollection* v) { FButtons->Assign(v); }
  // An empty collection is not written; the defined property ButtonsEmpty says so instead.
  bool IsButtonsStored() const { return FButtons->Count() > 0; }

  // Changes in between are laid out once, at the end.
  void BeginUpdateButtons() { ++FUpdateCount; }
  void EndUpdateButtons();
  // Places the visible buttons evenly along the panel's longer side.
  void LayoutButtons();

  void Loaded() override;
  void DefineProperties(TFiler* filer) override;

  TButtonClickNotify OnButtonClick;

  static auto Published() {
    using C = TButtonPanel;
    return PropTable<C>(Prop("ButtonAlignment", &C::GetButtonAlignment, &C::SetButtonAlignment).Default(baRight),
                        Prop("ButtonDimX", &C::GetButtonDimX, &C::SetButtonDimX).Default(75),
                        Prop("ButtonDimY", &C::GetButtonDimY, &C::SetButtonDimY).Default(25),
                        Prop("ButtonDist", &C::GetButtonDist, &C::SetButtonDist).Default(8),
                        Prop("Buttons", &C::GetButtons, &C::SetButtons).Stored(&C::IsButtonsStored),
                        Prop("OnButtonClick", &C::OnButtonClick, &C::OnButtonClick));
  }

protected:
  void Resize() override;

private:
  friend class TExBitBtn;
  void ButtonClicked(TButtonItem* item) { OnButtonClick(this, item); }

  std::unique_ptr<TButtonCollection> FButtons;
  TButtonAlignment FButtonAlignment = baRight;
  Integer FButtonDimX = 75;
  Integer FButtonDimY = 25;
  Integer FButtonDist = 8;
  int FUpdateCount = 0;
};

void RegisterButtonPanelClasses();

}  // namespace xel
