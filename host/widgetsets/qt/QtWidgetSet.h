// The widget set of real windows: Qt 6 Widgets. Without a display it runs on Qt's
// offscreen platform, where windows still paint and can be saved as images.
#pragma once

#include <map>
#include <memory>

#include "WidgetSet.h"

class QApplication;
class QTimer;

namespace xel {

class TQtWidgetSet : public TWidgetSet {
public:
  TQtWidgetSet();
  ~TQtWidgetSet() override;
  String Name() const override { return "qt"; }
  void ProcessMessages() override;
  void Run(TApplication* app) override;
  TPoint TextExtent(const TFont& font, const String& text) override;
  bool ShowHelp(const String& url) override;
  String SystemIconImage(TSystemIcon icon, Integer size, TColor background) override;
  String GetClipboardText() override;
  void SetClipboardText(const String& text) override;
  void Popup(TPopupMenu* menu, TPoint screenPos) override;
  void UpdateTimer(TTimer* timer) override;
  bool ExecuteDialog(TCommonDialog* dialog) override;
  TPoint ScreenSize() const override;
  void Register(TClass cls, std::unique_ptr<TWSWinControl> backend) { RegisterBackend(cls, std::move(backend)); }

private:
  struct TMeasureFont;
  std::map<TTimer*, std::unique_ptr<QTimer>> FTimers;
  std::unique_ptr<TMeasureFont> FMeasureFont;
};

// Installs the Qt widget set (making the Qt application object on first use).
TQtWidgetSet* InstallQtWidgetSet();
// Frees the application's forms, then the widget set and Qt's application object. A
// program calls it before it returns from main: at exit Qt's own globals may be gone
// before the forms' windows.
void FinalizeQtWidgetSet();

// Installs the widget set a program asks for: "--widgetset=NAME" on its command line (the
// option is taken out of argv) or the XEL_WIDGETSET environment variable, "qt" or
// "headless"; Qt when neither says. Returns the name installed.
String InstallChosenWidgetSet(int& argc, char** argv);

// Paints a shown window (or any control with a window) into a PNG file; false when the
// control has no window or the file cannot be written.
bool SaveControlImage(TWinControl* control, const String& fileName);

// Whether Qt runs on its offscreen platform (no display).
bool QtOffscreen();

}  // namespace xel
