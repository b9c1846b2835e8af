// A label that is a link: blue and underlined with a hand cursor, and a click opens its URL
// (or, without one, its caption) in the user's browser or mail program. Only web, file
// transfer and mail addresses are opened; an address without scheme is taken as a web
// address, or as a mail address when it holds an "@".
#pragma once

#include "StdCtrls.h"

namespace xel {

class TURLLabel : public TCustomLabel {
  XEL_CLASS(TURLLabel, TCustomLabel)
public:
  explicit TURLLabel(TComponent* owner);

  // What a click opens: the address completed with its scheme, or "" when it is none of
  // the schemes opened (http, https, ftp, mailto) or holds blanks or control characters.
  String TargetURL() const;
  // Opens TargetURL; false when there is none or the system could not open it.
  bool Open();

  const String& GetURL() const { return FURL; }
  void SetURL(const String& v) { FURL = v; }

  void Click() override;

  static auto Published() {
    using C = TURLLabel;
    return PropTable<C>(
        Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
        Prop("Alignment", &C::GetAlignment, &C::SetAlignment).Default(taLeftJustify),
        Prop("AutoSize", &C::GetAutoSize, &C::SetAutoSize).Default(true),
        Prop("Caption", &C::GetText, &C::SetText),
        Prop("Color", &C::GetColor, &C::SetColor).Stored(&C::IsColorStored),
        Prop("Cursor", &C::GetCursor, &C::SetCursor).Default(crHandPoint),
        Prop("Enabled", &C::GetEnabled, &C::SetEnabled).Default(true),
        Prop("Font", &C::GetFont, &C::SetFont).Stored(&C::IsFontStored),
        Prop("ParentColor", &C::GetParentColor, &C::SetParentColor).Default(true),
        Prop("ParentFont", &C::GetParentFont, &C::SetParentFont).Default(false),
        Prop("ParentShowHint", &C::GetParentShowHint, &C::SetParentShowHint).Default(true),
        Prop("ShowHint", &C::GetShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored),
        Prop("Transparent", &C::GetTransparent, &C::SetTransparent).Default(false),
        Prop("URL", &C::GetURL, &C::SetURL), Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true),
        Prop("OnClick", &C::OnClick, &C::OnClick));
  }

private:
  String FURL;
};

void RegisterURLLabelClasses();

}  // namespace xel
