// The global environment of a Qt test program: the core classes and the ones the program
// names registered, the Qt widget set installed once and finalised when the program ends.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "Classes.h"
#include "QtWidgetSet.h"

namespace xel {

class TQtTestEnvironment : public testing::Environment {
public:
  explicit TQtTestEnvironment(std::function<void()> registerClasses) : FRegister(std::move(registerClasses)) {}
  void SetUp() override {
    RegisterCoreClasses();
    FRegister();
    InstallQtWidgetSet();
  }
  void TearDown() override { FinalizeQtWidgetSet(); }

private:
  std::function<void()> FRegister;
};

inline testing::Environment* AddQtTestEnvironment(std::function<void()> registerClasses) {
  return testing::AddGlobalTestEnvironment(new TQtTestEnvironment(std::move(registerClasses)));
}

}  // namespace xel
