// A component with a published property of every kind the entry tree meets.
#pragma once

#include "ComponentExplorerTools.h"

namespace xel::test {

XEL_ENUM(TMood, mdCalm, mdBusy, mdGone)
XEL_SET(TMoods, TMood)
XEL_ENUM(TFontStyleM, fsBold, fsItalic, fsUnderline)
XEL_SET(TFontStylesM, TFontStyleM)

class TModelFont : public TPersistent {
  XEL_CLASS(TModelFont, TPersistent)
public:
  String FName = "Arial";
  Integer FSize = 8;
  TFontStylesM FStyle;
  Integer FColor = 0;
  static auto Published() {
    using C = TModelFont;
    return PropTable<C>(Prop("Name", &C::FName, &C::FName), Prop("Size", &C::FSize, &C::FSize),
                        Prop("Style", &C::FStyle, &C::FStyle), Prop("Color", &C::FColor, &C::FColor));
  }
};

class TColumnTitle : public TPersistent {
  XEL_CLASS(TColumnTitle, TPersistent)
public:
  String FCaption;
  static auto Published() { return PropTable<TColumnTitle>(Prop("Caption", &TColumnTitle::FCaption, &TColumnTitle::FCaption)); }
};

class TModelColumn : public TCollectionItem {
  XEL_CLASS(TModelColumn, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  TColumnTitle* GetTitle() const { return FTitle.get(); }
  static auto Published() { return PropTable<TModelColumn>(Prop("Title", &TModelColumn::GetTitle)); }

private:
  std::unique_ptr<TColumnTitle> FTitle = std::make_unique<TColumnTitle>();
};

class TModelWidget : public TComponent {
  XEL_CLASS(TModelWidget, TComponent)
public:
  explicit TModelWidget(TComponent* owner) : TComponent(owner) {}
  TModelFont* GetFont() const { return FFont.get(); }
  TStringList* GetLines() const { return FLines.get(); }
  void SetLines(TStringList* v) { FLines->Assign(v); }
  TCollection* GetColumns() const { return FColumns.get(); }
  void SetColumns(TCollection* v) { FColumns->Assign(v); }

  String FCaption, FHint;
  TMood FMood = mdCalm;
  TMoods FMoods;
  bool FChecked = false;
  char FAccel = 'A';
  double FRatio = 0;
  Variant FData;
  Int64 FBig = 0;
  char16_t FWide = u'W';
  TNotifyEvent FOnClick;

  static auto Published() {
    using C = TModelWidget;
    return PropTable<C>(Prop("Caption", &C::FCaption, &C::FCaption), Prop("Hint", &C::FHint, &C::FHint),
                        Prop("Font", &C::GetFont), Prop("Lines", &C::GetLines, &C::SetLines),
                        Prop("Columns", &C::GetColumns, &C::SetColumns), Prop("Mood", &C::FMood, &C::FMood),
                        Prop("Moods", &C::FMoods, &C::FMoods), Prop("Checked", &C::FChecked, &C::FChecked),
                        Prop("Accel", &C::FAccel, &C::FAccel), Prop("Ratio", &C::FRatio, &C::FRatio),
                        Prop("Data", &C::FData, &C::FData), Prop("Big", &C::FBig, &C::FBig),
                        Prop("Wide", &C::FWide, &C::FWide), Prop("OnClick", &C::FOnClick, &C::FOnClick));
  }

private:
  std::unique_ptr<TModelFont> FFont = std::make_unique<TModelFont>();
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> FColumns = std::make_unique<TOwnedCollection>(this, TModelColumn::StaticClass());
};

// Keeps an entry tree in its form stream, as the language component does.
class TTreeHolder : public TComponent {
  XEL_CLASS(TTreeHolder, TComponent)
public:
  explicit TTreeHolder(TComponent* owner) : TComponent(owner) {}
  TComponentEntries* GetComps() const { return FComps.get(); }
  void SetComps(TComponentEntries* v) { FComps->Assign(v); }
  static auto Published() { return PropTable<TTreeHolder>(Prop("Comps", &TTreeHolder::GetComps, &TTreeHolder::SetComps)); }

private:
  std::unique_ptr<TComponentEntries> FComps =
      std::make_unique<TComponentEntries>(this, TPropertyEntry::StaticClass());
};

// The message of what f raises, or "(no error)".
inline String MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no error)";
}

inline void RegisterModelFixtures() {
  RegisterCoreClasses();
  RegisterModelClasses();
  RegisterClasses({TModelWidget::StaticClass(), TTreeHolder::StaticClass(), TModelFont::StaticClass(),
                   TColumnTitle::StaticClass(), TModelColumn::StaticClass()});
}

}  // namespace xel::test
