#include "URLLabel.h"

#include "VersionControl.h"
#include "WidgetSet.h"

XEL_UNIT_VERSION("$Header: /toollib/URLLabel.cpp 1 11.12.26 4:40 XG $")

namespace xel {

TURLLabel::TURLLabel(TComponent* owner) : TCustomLabel(owner) {
  SetCursor(crHandPoint);
  GetFont()->SetColor(clBlue);
  GetFont()->SetStyle(TFontStyles{fsUnderline});
  SetParentFont(false);
}

// The system hands the address to whatever program claims its scheme, so only schemes
// that name a page or a mail are let through.
String TURLLabel::TargetURL() const {
  String url = Trim(FURL.empty() ? StripHotkey(GetText()) : FURL);
  if (url.empty()) return "";
  for (unsigned char c : url)
    if (c <= ' ' || c == 0x7F) return "";
  const size_t colon = url.find(':');
  const String scheme = colon == String::npos ? String() : LowerCase(url.substr(0, colon));
  if (scheme == "http" || scheme == "https" || scheme == "ftp") return url.compare(colon, 3, "://") == 0 ? url : "";
  if (scheme == "mailto") return colon + 1 < url.size() ? url : "";
  // No scheme of its own ("www.example.org", "info@example.org", "example.org:8080/x").
  const size_t slash = url.find('/');
  if (colon != String::npos && (slash == String::npos || colon < slash) && url.find('.') > colon) return "";
  return (url.find('@') != String::npos && slash == String::npos ? "mailto:" : "http://") + url;
}

bool TURLLabel::Open() {
  const String url = TargetURL();
  return !url.empty() && WidgetSet() && WidgetSet()->ShowHelp(url);
}

void TURLLabel::Click() {
  TCustomLabel::Click();
  if (!ComponentState().Contains(csDesigning) && IsEnabled()) Open();
}

void RegisterURLLabelClasses() { RegisterClasses({TURLLabel::StaticClass()}); }

}  // namespace xel
