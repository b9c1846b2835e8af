// String properties whose type has a name of its own, as the host's "type TFName = type
// string": the value stays a String, only the type information that editors and the
// designer see is named, so that the designer can attach an editor to every property of
// that type.
#pragma once

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "PropTable.h"

namespace xel {

// The name of a file, which the designer lets the user pick.
struct TFName {};
PTypeInfo TypeInfoOf(TypeTag<TFName>);

// A string property given the type information `type`; everything else is the property's.
std::unique_ptr<TPropInfo> RetypeStringProp(std::unique_ptr<TPropInfo> prop, PTypeInfo type);

// A class's property table in which the named string properties carry their types:
//   return WithNamedTypes(PropTable<C>(...), {{"FileName", TypeInfo<TFName>()}});
template <class Table>
struct TNamedTypesTable {
  using Owner = typename Table::Owner;
  Table Inner;
  std::vector<std::pair<const char*, PTypeInfo>> Types;

  void Emit(std::vector<std::unique_ptr<TPropInfo>>& out, TClass owner) const {
    const size_t first = out.size();
    Inner.Emit(out, owner);
    for (size_t i = first; i < out.size(); ++i)
      for (const auto& [name, type] : Types)
        if (SameText(out[i]->Name(), name)) out[i] = RetypeStringProp(std::move(out[i]), type);
  }
};

template <class Table>
TNamedTypesTable<Table> WithNamedTypes(Table table, std::initializer_list<std::pair<const char*, PTypeInfo>> types) {
  return {std::move(table), types};
}

}  // namespace xel
