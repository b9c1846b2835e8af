// The widget set a program runs on: backends by control class, the message loop, text
// metrics and the clipboard.
#pragma once

#include <map>

#include "WSControls.h"

namespace xel {

class TApplication;
class TPopupMenu;
class TTimer;
class TCommonDialog;

// The window system's pictures for message windows, named after the classic icon ids.
enum class TSystemIcon { Application, Hand, Question, Exclamation, Asterisk };

class TWidgetSet {
public:
  TWidgetSet() = default;
  virtual ~TWidgetSet() = default;
  TWidgetSet(const TWidgetSet&) = delete;
  TWidgetSet& operator=(const TWidgetSet&) = delete;

  virtual String Name() const = 0;
  // The backend of the nearest class (the control's own or an ancestor) that has one.
  TWSWinControl* Backend(TClass cls);
  virtual void ProcessMessages() = 0;
  // Runs the application's loop until it terminates.
  virtual void Run(TApplication* app) = 0;
  virtual TPoint TextExtent(const TFont& font, const String& text) { return DefaultTextExtent(font, text); }
  virtual String GetClipboardText() = 0;
  virtual void SetClipboardText(const String& text) = 0;
  // Shows a pop-up menu at a screen position; returns when it closed (a click on an item
  // has run by then).
  virtual void Popup(TPopupMenu* menu, TPoint screenPos) = 0;
  // A timer was enabled, disabled, retimed or freed: run it exactly while Running().
  virtual void UpdateTimer(TTimer* timer) = 0;
  // Shows a common dialog (file, font, folder); true when the user accepted.
  virtual bool ExecuteDialog(TCommonDialog* dialog) = 0;
  // The screen's size, for centring forms.
  virtual TPoint ScreenSize() const { return {1024, 768}; }
  // Opens a help page (a file URL with the topic as its fragment) the way the desktop
  // opens documents; false when it could not.
  virtual bool ShowHelp(const String& url) = 0;
  // A system icon as a square BMP image of that size, laid on the background colour;
  // empty when the widget set has no such pictures.
  virtual String SystemIconImage(TSystemIcon icon, Integer size, TColor background) {
    (void)icon, (void)size, (void)background;
    return "";
  }

protected:
  void RegisterBackend(TClass cls, std::unique_ptr<TWSWinControl> backend);

private:
  std::map<TClass, std::unique_ptr<TWSWinControl>> FOwned;
  std::map<TClass, TWSWinControl*> FLookup;
};

// The program's widget set; nullptr until one is installed. Controls create windows only
// when there is one (EInvalidOperation "No widget set installed" otherwise).
TWidgetSet* WidgetSet();
// Installs a widget set (the previous one is freed; every window must be gone by then).
void SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet);

}  // namespace xel
