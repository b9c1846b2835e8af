// The base of the package's experts: their identity for the designer, and the items they
// put into the designer's main menu under names unique to the package, which go again
// with the expert.
#pragma once

#include <memory>

#include "ExptIntf.h"
#include "StringList.h"
#include "ToolIntf.h"

namespace xel {

class TCustomExpert : public TIExpert {
  XEL_CLASS(TCustomExpert, TIExpert)
public:
  TCustomExpert();
  ~TCustomExpert() override;

  // The class name without its leading "T".
  String GetName() override;
  String GetAuthor() override;
  String GetComment() override;
  String GetPage() override;
  std::uintptr_t GetGlyph() override;
  TExpertStyle GetStyle() override;
  TExpertState GetState() override;
  String GetIDString() override;
  String GetMenuText() override;
  void Execute() override;

  // Inserts an item below the top-level menu topIndex at index; negative indexes count
  // from the end (-1: the last menu, appended after the last item). itemName receives the
  // item's generated name, or nothing when no item was inserted.
  void AddMenuItem(int topIndex, int index, const String& caption, const String& hint, int shortCut, int context,
                   int groupIndex, TIMenuFlags flags, const TIMenuClickEvent& onClick, String& itemName);
  // The caller releases what it gets.
  TIMenuItemIntf* GetMenuItem(const String& name);
  void DelMenuItem(const String& name);
  void ClearMenuItems();
  void ExecuteHandler(TIMenuItemIntf* menuItem);

  // The names of the items this expert inserted.
  TStringList* MenuItems() const { return FMenuItems.get(); }

private:
  std::unique_ptr<TStringList> FMenuItems;
};

}  // namespace xel
