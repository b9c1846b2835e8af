// A widget set without a display: windows are records of what the controls pushed to
// them, painting goes to a log, text metrics are fixed, and modal forms, pop-up menus
// and the application loop are answered by handlers that tests register.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "Forms.h"
#include "WidgetSet.h"

namespace xel {

class TCustomForm;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TCommonDialog;

// What a control's window shows, as last pushed.
class THeadlessHandle : public TWidgetHandle {
public:
  explicit THeadlessHandle(TWinControl* control) : Control(control) {}
  TWinControl* Control;
  THeadlessHandle* ParentHandle = nullptr;
  String Text;
  TRect Bounds;
  bool Visible = false;
  bool Enabled = true;
  TColor Color = clDefault;
  String FontName;
  Integer FontHeight = 0;
  std::vector<String> Items;
  Integer ItemIndex = -1;
  std::vector<String> MenuCaptions;  // a form's menu bar, top-level items
  TMinMaxRecord SizeLimits;          // a form's, as last asked
  std::map<TWSAspect, int> Updates;  // pushes per aspect since the window was made
};

// Drawing calls as text lines ("TextOut 2,0 Hello"), for tests of owner drawing.
class THeadlessCanvas : public TCanvasBackend {
public:
  void SetOrigin(Integer x, Integer y) override { FOrigin = {x, y}; }
  TPoint TextExtent(const TFont& font, const String& text) override { return ScreenTextExtent(font, text); }
  void TextOut(const TCanvas& canvas, Integer x, Integer y, const String& text) override;
  void TextRect(const TCanvas& canvas, const TRect& r, Integer x, Integer y, const String& text) override;
  void FillRect(const TCanvas& canvas, const TRect& r) override;
  void Rectangle(const TCanvas& canvas, const TRect& r) override;
  void Line(const TCanvas& canvas, TPoint from, TPoint to) override;
  void Draw(const TCanvas& canvas, Integer x, Integer y, const TGraphic& graphic) override;
  std::vector<String> Log;

private:
  TPoint At(Integer x, Integer y) const { return {x + FOrigin.X, y + FOrigin.Y}; }
  TPoint FOrigin;
};

using TModalHandler = std::function<void(TCustomForm*)>;
// Answers a common dialog: may set its file name, font or folder; true accepts.
using TDialogHandler = std::function<bool(TCommonDialog*)>;
using TPopupHandler = std::function<void(TPopupMenu*, TPoint)>;

class THeadlessWidgetSet : public TWidgetSet {
public:
  THeadlessWidgetSet();
  String Name() const override { return "headless"; }
  void ProcessMessages() override;
  void Run(TApplication* app) override;
  // Help pages are not opened but kept, for tests to read.
  bool ShowHelp(const String& url) override {
    FHelpShown.push_back(url);
    return true;
  }
  const std::vector<String>& HelpShown() const { return FHelpShown; }
  // Text metrics of a proportional font, for tests of what depends on them; none gives the
  // fixed metrics back.
  using TTextMetrics = std::function<TPoint(const TFont& font, const String& text)>;
  void SetTextMetrics(TTextMetrics metrics) { FTextMetrics = std::move(metrics); }
  TPoint TextExtent(const TFont& font, const String& text) override {
    return FTextMetrics ? FTextMetrics(font, text) : DefaultTextExtent(font, text);
  }
  String GetClipboardText() override { return FClipboard; }
  void SetClipboardText(const String& text) override { FClipboard = text; }
  void Popup(TPopupMenu* menu, TPoint screenPos) override;
  void UpdateTimer(TTimer* timer) override;
  bool ExecuteDialog(TCommonDialog* dialog) override;
  // The timers that run now, in the order they started; FireTimers calls each once.
  std::vector<TTimer*> RunningTimers() const { return FTimers; }
  void FireTimers();
  // Like the modal handlers: a stack, the latest first; a dialog no handler answers raises.
  void PushDialogHandler(TDialogHandler handler) { FDialogs.push_back(std::move(handler)); }
  void PopDialogHandler() { FDialogs.pop_back(); }

  // Handlers are a stack: the latest answers first and may pass by returning without
  // closing (then the one below is asked). A modal form that no handler closes raises.
  void PushModalHandler(TModalHandler handler) { FModal.push_back(std::move(handler)); }
  void PopModalHandler() { FModal.pop_back(); }
  void RunModal(TCustomForm* form);
  void SetPopupHandler(TPopupHandler handler) { FPopup = std::move(handler); }
  // What Application->Run does between showing the main form and returning; without
  // one, Run returns at once.
  void SetRunHandler(std::function<void()> handler) { FRun = std::move(handler); }
  int ModalDepth() const { return FModalDepth; }
  // The windows that exist now.
  int HandleCount() const { return FHandles; }

private:
  friend class THeadlessWSWinControl;
  std::vector<TModalHandler> FModal;
  std::vector<TDialogHandler> FDialogs;
  std::vector<TTimer*> FTimers;
  TPopupHandler FPopup;
  TTextMetrics FTextMetrics;
  std::function<void()> FRun;
  String FClipboard;
  std::vector<String> FHelpShown;
  int FModalDepth = 0;
  int FHandles = 0;
};

// Installs the headless widget set as the program's.
THeadlessWidgetSet* InstallHeadlessWidgetSet();
THeadlessWidgetSet* HeadlessWidgetSet();
THeadlessHandle* HeadlessHandle(TWinControl* control);

// A modal handler for the length of a scope.
class TModalScript {
public:
  explicit TModalScript(TModalHandler handler) { HeadlessWidgetSet()->PushModalHandler(std::move(handler)); }
  ~TModalScript() { HeadlessWidgetSet()->PopModalHandler(); }
  TModalScript(const TModalScript&) = delete;
  TModalScript& operator=(const TModalScript&) = delete;
};

class TDialogScript {
public:
  explicit TDialogScript(TDialogHandler handler) { HeadlessWidgetSet()->PushDialogHandler(std::move(handler)); }
  ~TDialogScript() { HeadlessWidgetSet()->PopDialogHandler(); }
  TDialogScript(const TDialogScript&) = delete;
  TDialogScript& operator=(const TDialogScript&) = delete;
};

// User input, as the window system would deliver it.
namespace Headless {
// A left click in the middle of the control (through its mouse handlers).
void Click(TControl* control);
void MouseDown(TControl* control, TMouseButton button, TShiftState shift, Integer x, Integer y);
void MouseUp(TControl* control, TMouseButton button, TShiftState shift, Integer x, Integer y);
// A key pressed and released on the form's focused control (or the form itself):
// key down, the character it types (if any), key up.
void PressKey(TCustomForm* form, Word key, TShiftState shift = {});
// The user drags the frame of a sizeable form to an outer size: the window keeps to the
// size limits it was given, and the form learns the size it got.
void DragFrame(TCustomForm* form, Integer width, Integer height);
// Types each character of the text; the bytes of a multi-byte character go one by one.
void TypeText(TCustomForm* form, const String& text);
// The drawing log of a windowed control's paint (its own and its graphic children's).
std::vector<String> Paint(TWinControl* control);
}  // namespace Headless

}  // namespace xel
