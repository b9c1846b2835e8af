// The global environment of a Qt test program: the core classes and the ones the program
// names registered, the Qt widget set installed once and finalised when the program ends.
// With private folders the program's registry and temporary files go to a folder of its own,
// removed at the end.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "Classes.h"
#include "QtWidgetSet.h"

namespace xel {

class TQtTestEnvironment : public testing::Environment {
public:
  TQtTestEnvironment(std::function<void()> registerClasses, bool privateFolders)
      : FRegister(std::move(registerClasses)), FPrivateFolders(privateFolders) {}
  void SetUp() override {
    if (FPrivateFolders) {
      FDir = std::filesystem::temp_directory_path().string() + "/xel-qt-XXXXXX";
      ASSERT_NE(mkdtemp(FDir.data()), nullptr);
      setenv("XEL_REGISTRY_DIR", (FDir + "/registry").c_str(), 1);
      setenv("TMPDIR", FDir.c_str(), 1);
    }
    RegisterCoreClasses();
    FRegister();
    InstallQtWidgetSet();
  }
  void TearDown() override {
    FinalizeQtWidgetSet();
    if (!FDir.empty()) std::filesystem::remove_all(FDir);
  }

private:
  std::function<void()> FRegister;
  bool FPrivateFolders;
  std::string FDir;
};

inline testing::Environment* AddQtTestEnvironment(std::function<void()> registerClasses,
                                                  bool privateFolders = false) {
  return testing::AddGlobalTestEnvironment(new TQtTestEnvironment(std::move(registerClasses), privateFolders));
}

}  // namespace xel
