// The product notice of a program: TXelInfo shows it in an information box (the About
// command of a window), TXelInfoPanel shows it on a panel (a splash or an About page).
#pragma once

#include "ExtCtrls.h"
#include "Expand.h"

namespace xel {

// What both show: "Xel Glotta 1.31" and the maker's line below.
struct TXelProduct {
  String ProductName = "Xel Glotta";
  String CaptionVersion = "1.31";
  String Copyright = "Xel GbR";
  // The name and the version, blank-separated; either may be empty.
  String Title() const;
  // The one-line notice: the title, then the maker after a comma.
  String Notice() const;
};

class TXelInfo : public TExComponent {
  XEL_CLASS(TXelInfo, TExComponent)
public:
  using TExComponent::TExComponent;

  const TXelProduct& Product() const { return FProduct; }
  // The information box with the notice and one OK button.
  void Execute();

  const String& GetProductName() const { return FProduct.ProductName; }
  void SetProductName(const String& v) { FProduct.ProductName = v; }
  const String& GetCaptionVersion() const { return FProduct.CaptionVersion; }
  void SetCaptionVersion(const String& v) { FProduct.CaptionVersion = v; }
  const String& GetCopyright() const { return FProduct.Copyright; }
  void SetCopyright(const String& v) { FProduct.Copyright = v; }

  static auto Published() {
    using C = TXelInfo;
    return PropTable<C>(Prop("CaptionVersion", &C::GetCaptionVersion, &C::SetCaptionVersion).Stored(&C::IsVersionStored),
                        Prop("Copyright", &C::GetCopyright, &C::SetCopyright).Stored(&C::IsCopyrightStored),
                        Prop("ProductName", &C::GetProductName, &C::SetProductName).Stored(&C::IsNameStored));
  }

private:
  bool IsVersionStored() const { return FProduct.CaptionVersion != TXelProduct{}.CaptionVersion; }
  bool IsCopyrightStored() const { return FProduct.Copyright != TXelProduct{}.Copyright; }
  bool IsNameStored() const { return FProduct.ProductName != TXelProduct{}.ProductName; }
  TXelProduct FProduct;
};

class TXelInfoPanel : public TCustomPanel {
  XEL_CLASS(TXelInfoPanel, TCustomPanel)
public:
  explicit TXelInfoPanel(TComponent* owner);

  const TXelProduct& Product() const { return FProduct; }
  const String& GetProductName() const { return FProduct.ProductName; }
  void SetProductName(const String& v);
  const String& GetCaptionVersion() const { return FProduct.CaptionVersion; }
  void SetCaptionVersion(const String& v);
  const String& GetCopyright() const { return FProduct.Copyright; }
  void SetCopyright(const String& v);

  // The title in bold over the maker's line, both centred.
  void Paint() override;

  static auto Published() {
    using C = TXelInfoPanel;
    return PropTable<C>(
        Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
        Prop("BevelInner", &C::GetBevelInner, &C::SetBevelInner).Default(bvNone),
        Prop("BevelOuter", &C::GetBevelOuter, &C::SetBevelOuter).Default(bvRaised),
        Prop("BevelWidth", &C::GetBevelWidth, &C::SetBevelWidth).Default(1),
        Prop("CaptionVersion", &C::GetCaptionVersion, &C::SetCaptionVersion).Stored(&C::IsVersionStored),
        Prop("Copyright", &C::GetCopyright, &C::SetCopyright).Stored(&C::IsCopyrightStored),
        Prop("ProductName", &C::GetProductName, &C::SetProductName).Stored(&C::IsNameStored), XEL_WIN_COMMON(C),
        Prop("OnClick", &C::OnClick, &C::OnClick));
  }

private:
  bool IsVersionStored() const { return FProduct.CaptionVersion != TXelProduct{}.CaptionVersion; }
  bool IsCopyrightStored() const { return FProduct.Copyright != TXelProduct{}.Copyright; }
  bool IsNameStored() const { return FProduct.ProductName != TXelProduct{}.ProductName; }
  TXelProduct FProduct;
};

void RegisterXelInfoClasses();

}  // namespace xel
