// Keyboard and mouse vocabulary shared by controls, menus and widget sets.
#pragma once

#include "Classes.h"

namespace xel {

XEL_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
XEL_SET(TShiftState, TShiftStateItem)
XEL_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)

// The host's virtual key codes; letters and digits are their upper-case ASCII codes.
inline constexpr Word VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
                      VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
                      VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
                      VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_F1 = 0x70, VK_F2 = 0x71, VK_F9 = 0x78, VK_F11 = 0x7A,
                      VK_F12 = 0x7B;

XEL_EVENT(TKeyEvent, TObject* /*Sender*/, Word& /*Key*/, TShiftState /*Shift*/);
XEL_EVENT(TKeyPressEvent, TObject* /*Sender*/, char& /*Key*/);
XEL_EVENT(TMouseEvent, TObject* /*Sender*/, TMouseButton /*Button*/, TShiftState /*Shift*/, Integer /*X*/,
          Integer /*Y*/);
XEL_EVENT(TMouseMoveEvent, TObject* /*Sender*/, TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/);

// Menu shortcuts: the key code with scShift, scCtrl and scAlt added.
using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(Word key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, Word& key, TShiftState& shift);
// "Ctrl+S", "Shift+F9", "Alt+X", "F6", "Del"; the empty text for none. TextToShortCut
// reads these back, ignoring case, and gives 0 for texts it does not know.
String ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(const String& text);

}  // namespace xel
