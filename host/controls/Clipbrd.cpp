#include "Clipbrd.h"

#include "WidgetSet.h"

namespace xel {

namespace {
String& LocalText() {
  static String text;
  return text;
}
}  // namespace

String TClipboard::GetAsText() const { return WidgetSet() ? WidgetSet()->GetClipboardText() : LocalText(); }

void TClipboard::SetAsText(const String& v) {
  if (WidgetSet()) WidgetSet()->SetClipboardText(v);
  else LocalText() = v;
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

}  // namespace xel
