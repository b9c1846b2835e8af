// Small test classes with a published property of every kind.
#pragma once

#include "Classes.h"

namespace xel::test {

XEL_ENUM(TShade, shLight, shMedium, shDark)
XEL_SET(TShades, TShade)

class TSubFont : public TPersistent {
  XEL_CLASS(TSubFont, TPersistent)
public:
  String FName = "Arial";
  Integer FSize = 8;
  TShades FStyle;
  Integer FColor = 0;

  void Assign(TPersistent* source) override {
    if (auto* f = dynamic_cast<TSubFont*>(source)) {
      FName = f->FName;
      FSize = f->FSize;
      FStyle = f->FStyle;
      FColor = f->FColor;
      return;
    }
    TPersistent::Assign(source);
  }

  static auto Published() {
    return PropTable<TSubFont>(Prop("Name", &TSubFont::FName, &TSubFont::FName),
                               Prop("Size", &TSubFont::FSize, &TSubFont::FSize).Default(8),
                               Prop("Style", &TSubFont::FStyle, &TSubFont::FStyle).Default(TShades{}),
                               Prop("Color", &TSubFont::FColor, &TSubFont::FColor));
  }
};

class TWidget : public TComponent {
  XEL_CLASS(TWidget, TComponent)
public:
  explicit TWidget(TComponent* owner) : TComponent(owner) {}
  ~TWidget() override { delete FFont; delete FLines; }

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& v) { FCaption = v; ++CaptionWrites; }
  TSubFont* GetFont() const { return FFont; }
  void SetFont(TSubFont* v) { FFont->Assign(v); }
  TStringList* GetLines() const { return FLines; }
  void SetLines(TStringList* v) { FLines->Assign(v); }
  Integer GetBound(Integer index) const { return FBounds[index]; }
  void SetBound(Integer index, Integer v) { FBounds[index] = v; }
  Integer GetComputed() const { return FCount * 2; }
  bool IsHintStored() const { return FHint != "default hint"; }

  String FCaption;
  String FHint;
  Integer FCount = 5;
  bool FEnabled = true;
  bool FVisible = false;
  TShade FShade = shMedium;
  TShades FShades;
  char FLetter = 'A';
  double FRatio = 0;
  TDateTime FStamp;
  Currency FPrice;
  Variant FValue;
  Int64 FBig = 0;
  WideString FWide;
  TNotifyEvent FOnClick;
  Integer FBounds[2] = {0, 0};
  int CaptionWrites = 0;

  static auto Published() {
    return PropTable<TWidget>(
        Prop("Caption", &TWidget::GetCaption, &TWidget::SetCaption),
        Prop("Hint", &TWidget::FHint, &TWidget::FHint).Stored(&TWidget::IsHintStored),
        Prop("Count", &TWidget::FCount, &TWidget::FCount).Default(5),
        Prop("Enabled", &TWidget::FEnabled, &TWidget::FEnabled).Default(true),
        Prop("Visible", &TWidget::FVisible, &TWidget::FVisible),
        Prop("Shade", &TWidget::FShade, &TWidget::FShade).Default(shMedium),
        Prop("Shades", &TWidget::FShades, &TWidget::FShades),
        Prop("Letter", &TWidget::FLetter, &TWidget::FLetter),
        Prop("Ratio", &TWidget::FRatio, &TWidget::FRatio),
        Prop("Stamp", &TWidget::FStamp, &TWidget::FStamp),
        Prop("Price", &TWidget::FPrice, &TWidget::FPrice),
        Prop("Value", &TWidget::FValue, &TWidget::FValue),
        Prop("Big", &TWidget::FBig, &TWidget::FBig),
        Prop("Wide", &TWidget::FWide, &TWidget::FWide),
        Prop("Font", &TWidget::GetFont, &TWidget::SetFont),
        Prop("Lines", &TWidget::GetLines, &TWidget::SetLines),
        IndexedProp("Left", 0, &TWidget::GetBound, &TWidget::SetBound),
        IndexedProp("Top", 1, &TWidget::GetBound, &TWidget::SetBound),
        Prop("Computed", &TWidget::GetComputed),
        Prop("OnClick", &TWidget::FOnClick, &TWidget::FOnClick));
  }

private:
  TSubFont* FFont = new TSubFont();
  TStringList* FLines = new TStringList();
};

// Publishes Caption again, as a descendant may, with a declared rule of its own.
class TQuietWidget : public TWidget {
  XEL_CLASS(TQuietWidget, TWidget)
public:
  using TWidget::TWidget;
  static auto Published() {
    return PropTable<TQuietWidget>(Prop("Caption", &TWidget::GetCaption, &TWidget::SetCaption).Stored(false),
                                   Prop("Extra", &TQuietWidget::FExtra, &TQuietWidget::FExtra));
  }
  Integer FExtra = 0;
};

// A component without a table of its own: it must not repeat its parent's properties.
class TPlainWidget : public TWidget {
  XEL_CLASS(TPlainWidget, TWidget)
public:
  using TWidget::TWidget;
};

// A component that refers to another one, as controls refer to menus and labels to edits.
class TLink : public TComponent {
  XEL_CLASS(TLink, TComponent)
public:
  explicit TLink(TComponent* owner) : TComponent(owner) {}
  TComponent* GetTarget() const { return FTarget; }
  void SetTarget(TComponent* v) {
    FTarget = v;
    if (v) v->FreeNotification(this);
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == FTarget) FTarget = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCalls;
    TargetAtLoaded = FTarget;
  }
  int LoadedCalls = 0;
  TComponent* TargetAtLoaded = nullptr;
  static auto Published() { return PropTable<TLink>(Prop("Target", &TLink::GetTarget, &TLink::SetTarget)); }

private:
  TComponent* FTarget = nullptr;
};

// A root with published event handlers, as a form has.
class TTestModule : public TDataModule {
  XEL_CLASS(TTestModule, TDataModule)
public:
  explicit TTestModule(TComponent* owner) : TDataModule(owner) {}
  void WidgetClick(TObject* sender) { Clicked.push_back(sender); }
  void OtherClick(TObject*) {}
  std::vector<TObject*> Clicked;
  static auto PublishedMethods() {
    return MethodTable<TTestModule>({PublishedMethod<&TTestModule::WidgetClick>("WidgetClick"),
                                     PublishedMethod<&TTestModule::OtherClick>("OtherClick")});
  }
};

// Receives events, to check that method references bind object and member.
class THandler : public TObject {
public:
  void Click(TObject* sender) { Clicks.push_back(sender); }
  void OtherClick(TObject* sender) { Others.push_back(sender); }
  std::vector<TObject*> Clicks;
  std::vector<TObject*> Others;
};

inline void RegisterFixtureClasses() {
  RegisterClasses({TSubFont::StaticClass(), TWidget::StaticClass(), TQuietWidget::StaticClass(),
                   TPlainWidget::StaticClass(), TLink::StaticClass(), TTestModule::StaticClass()});
}

}  // namespace xel::test
