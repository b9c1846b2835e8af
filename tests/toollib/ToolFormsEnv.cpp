// The tool library's windows run on the headless widget set with every class registered,
// and with a registry of their own: the message module reads and writes the tools'
// language there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "GlottaModule.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"

namespace {
struct TToolFormsEnvironment : testing::Environment {
  void SetUp() override {
    xel::String pattern = std::filesystem::temp_directory_path().string() + "/xel-registry-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    FRegistry = pattern;
    setenv("XEL_REGISTRY_DIR", FRegistry.c_str(), 1);
    xel::RegisterCoreClasses();
    xel::RegisterGlottaModuleClasses();
    xel::InstallHeadlessWidgetSet();
  }
  void TearDown() override {
    unsetenv("XEL_REGISTRY_DIR");
    std::filesystem::remove_all(FRegistry);
  }
  xel::String FRegistry;
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TToolFormsEnvironment);
}  // namespace
