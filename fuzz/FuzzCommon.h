// Shared by the fuzz targets: a component with a property of every kind, so that the
// form reader gets past class lookup and into property values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Classes.h"

namespace xel::fuzz {

XEL_ENUM(TFuzzKind, fkOne, fkTwo, fkThree)
XEL_SET(TFuzzKinds, TFuzzKind)

class TFuzzComponent : public TComponent {
  XEL_CLASS(TFuzzComponent, TComponent)
public:
  explicit TFuzzComponent(TComponent* owner) : TComponent(owner) {}
  ~TFuzzComponent() override { delete FLines; }
  TStringList* GetLines() const { return FLines; }
  void SetLines(TStringList* v) { FLines->Assign(v); }
  TComponent* GetLink() const { return FLink; }
  void SetLink(TComponent* v) {
    FLink = v;
    if (v) v->FreeNotification(this);
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == FLink) FLink = nullptr;
  }
  TCollection* GetItems() const { return FItems.get(); }
  void SetItems(TCollection* v) { FItems->Assign(v); }

  String FCaption;
  Integer FNumber = 0;
  bool FFlag = false;
  TFuzzKind FKind = fkOne;
  TFuzzKinds FKinds;
  char FLetter = 'a';
  double FRatio = 0;
  Variant FValue;
  Int64 FBig = 0;
  WideString FWide;
  TNotifyEvent FOnEvent;

  static auto Published() {
    return PropTable<TFuzzComponent>(
        Prop("Caption", &TFuzzComponent::FCaption, &TFuzzComponent::FCaption),
        Prop("Number", &TFuzzComponent::FNumber, &TFuzzComponent::FNumber),
        Prop("Flag", &TFuzzComponent::FFlag, &TFuzzComponent::FFlag),
        Prop("Kind", &TFuzzComponent::FKind, &TFuzzComponent::FKind),
        Prop("Kinds", &TFuzzComponent::FKinds, &TFuzzComponent::FKinds),
        Prop("Letter", &TFuzzComponent::FLetter, &TFuzzComponent::FLetter),
        Prop("Ratio", &TFuzzComponent::FRatio, &TFuzzComponent::FRatio),
        Prop("Value", &TFuzzComponent::FValue, &TFuzzComponent::FValue),
        Prop("Big", &TFuzzComponent::FBig, &TFuzzComponent::FBig),
        Prop("Wide", &TFuzzComponent::FWide, &TFuzzComponent::FWide),
        Prop("Lines", &TFuzzComponent::GetLines, &TFuzzComponent::SetLines),
        Prop("Link", &TFuzzComponent::GetLink, &TFuzzComponent::SetLink),
        Prop("Items", &TFuzzComponent::GetItems, &TFuzzComponent::SetItems),
        Prop("OnEvent", &TFuzzComponent::FOnEvent, &TFuzzComponent::FOnEvent));
  }

private:
  TStringList* FLines = new TStringList();
  TComponent* FLink = nullptr;
  std::unique_ptr<TCollection> FItems = std::make_unique<TOwnedCollection>(this, TCollectionItem::StaticClass());
};

class TFuzzRoot : public TDataModule {
  XEL_CLASS(TFuzzRoot, TDataModule)
public:
  explicit TFuzzRoot(TComponent* owner) : TDataModule(owner) {}
  void Handler(TObject*) {}
  static auto PublishedMethods() {
    return MethodTable<TFuzzRoot>({PublishedMethod<&TFuzzRoot::Handler>("Handler")});
  }
};

inline void RegisterFuzzClasses() {
  static bool done = [] {
    RegisterCoreClasses();
    RegisterClasses({TFuzzComponent::StaticClass(), TFuzzRoot::StaticClass()});
    return true;
  }();
  (void)done;
}

}  // namespace xel::fuzz
