#include "CustomExpert.h"

#include "DesignInterfaceTools.h"
#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/CustomExpert.cpp 1 11.12.26 0:15 XG $")

namespace xel {

namespace {

// Menu item names stay unique across every expert of the package.
int MenuItemCounter = 0;

// A negative index counts from the end; the result lies in 0 .. upper.
int NormalizeIndex(int index, int count, int upper) {
  if (index < 0) index = count + index + 1;
  if (index > upper) index = upper;
  return index < 0 ? 0 : index;
}

}  // namespace

TCustomExpert::TCustomExpert() : FMenuItems(std::make_unique<TStringList>()) {}

TCustomExpert::~TCustomExpert() { ClearMenuItems(); }

String TCustomExpert::GetName() {
  String name = ClassName();
  if (!name.empty() && (name[0] == 'T' || name[0] == 't')) name.erase(0, 1);
  return name;
}

String TCustomExpert::GetAuthor() { return "Xel GbR"; }
String TCustomExpert::GetComment() { return "Xel Extension for Delphi"; }
String TCustomExpert::GetPage() { return "Xel"; }
std::uintptr_t TCustomExpert::GetGlyph() { return 0; }
TExpertStyle TCustomExpert::GetStyle() { return esStandard; }
TExpertState TCustomExpert::GetState() { return {esEnabled}; }
String TCustomExpert::GetIDString() { return "Xelworks." + GetName(); }
String TCustomExpert::GetMenuText() { return GetName(); }
void TCustomExpert::Execute() {}

void TCustomExpert::AddMenuItem(int topIndex, int index, const String& caption, const String& hint, int shortCut,
                                int context, int groupIndex, TIMenuFlags flags, const TIMenuClickEvent& onClick,
                                String& itemName) {
  itemName.clear();
  TIToolServices* services = ToolServices();
  if (!services) return;
  TIntf<TIMainMenuIntf> menu(services->GetMainMenu());
  if (!menu) return;
  TIntf<TIMenuItemIntf> top(menu->GetMenuItems());
  if (!top) return;
  const int topCount = top->GetItemCount();
  TIntf<TIMenuItemIntf> parent(top->GetItem(NormalizeIndex(topIndex, topCount, topCount - 1)));
  if (!parent) return;
  const int count = parent->GetItemCount();
  const String name = Format("xelworks_mi_%.4X", {MenuItemCounter++});
  TIntf<TIMenuItemIntf> item(parent->InsertItem(NormalizeIndex(index, count, count), caption, name, hint, shortCut,
                                                context, groupIndex, flags, onClick));
  if (!item) return;
  FMenuItems->Add(name);
  itemName = name;
}

TIMenuItemIntf* TCustomExpert::GetMenuItem(const String& name) {
  TIToolServices* services = ToolServices();
  if (!services || name.empty()) return nullptr;
  TIntf<TIMainMenuIntf> menu(services->GetMainMenu());
  return menu ? menu->FindMenuItem(name) : nullptr;
}

void TCustomExpert::DelMenuItem(const String& name) {
  if (TIntf<TIMenuItemIntf> item{GetMenuItem(name)}) item->DestroyMenuItem();
  const int i = FMenuItems->IndexOf(name);
  if (i >= 0) FMenuItems->Delete(i);
}

void TCustomExpert::ClearMenuItems() {
  for (int i = 0; i < FMenuItems->Count(); ++i)
    if (TIntf<TIMenuItemIntf> item{GetMenuItem(FMenuItems->Strings(i))}) item->DestroyMenuItem();
  FMenuItems->Clear();
}

void TCustomExpert::ExecuteHandler(TIMenuItemIntf*) { Execute(); }

}  // namespace xel
