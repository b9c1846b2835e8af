#include <gtest/gtest.h>

#include "Classes.h"
#include "ComponentRes.h"
#include "Fixtures.h"
#include "Platform.h"
#include "ResFile.h"
#include "TextForms.h"

namespace xel::test {
namespace {

// data/TestModule.res is linked into this program (see the CMake file) and holds one
// RCDATA resource TTESTMODULE: the stream of a TTestModule with a widget and a link.
const char* const ModuleText =
    "object TestModule: TTestModule\r\n"
    "  object Widget1: TWidget\r\n"
    "    Caption = 'from the resource'\r\n"
    "  end\r\n"
    "  object Link1: TLink\r\n"
    "    Target = Widget1\r\n"
    "  end\r\n"
    "end\r\n";

TEST(ResourcesTest, ResourceFilesHaveTheirExactLayout) {
  TResourceFile rf;
  rf.Put("Form1", {'A', 'B', 'C'});
  TResItem numbered;
  numbered.NameId = 1;
  numbered.Data = {1};
  rf.Items.push_back(numbered);
  TMemoryStream m;
  rf.SaveToStream(&m);
  std::vector<Byte> bytes(m.Memory(), m.Memory() + m.Size());
  std::vector<Byte> expected = {
      // the empty leading entry
      0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      // data size 3, header size 0x28: type 10, name "FORM1" in UTF-16, the fixed fields
      3, 0, 0, 0, 0x28, 0, 0, 0, 0xFF, 0xFF, 10, 0, 'F', 0, 'O', 0, 'R', 0, 'M', 0, '1', 0, 0, 0,
      0, 0, 0, 0, 0x30, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'A', 'B', 'C', 0,
      // a numbered name
      1, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 10, 0, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0x30, 0x10, 0, 0, 0, 0, 0, 0,
      0, 0, 0, 0, 1, 0, 0, 0};
  EXPECT_EQ(bytes, expected);
  m.SetPosition(0);
  TResourceFile back;
  back.LoadFromStream(&m);
  ASSERT_EQ(back.Items.size(), 2u);
  EXPECT_EQ(back.Find("form1")->Data, (std::vector<Byte>{'A', 'B', 'C'}));
  EXPECT_EQ(back.Items[1].NameId, 1);
}

TEST(ResourcesTest, DamagedResourceFilesRaiseReadErrors) {
  TResourceFile rf;
  rf.Put("A", std::vector<Byte>(10, 7));
  rf.Put("B", std::vector<Byte>(3, 9));
  TMemoryStream m;
  rf.SaveToStream(&m);
  std::vector<Byte> image(m.Memory(), m.Memory() + m.Size());
  for (size_t n = 0; n < image.size(); ++n) {
    size_t count = 0;
    try {
      ParseResourceImage(image.data(), n, [&](const TResourceEntry&) { ++count; });
    } catch (const EReadError&) {
      continue;
    }
    // A cut is a shorter file at most; only the missing padding after the last data is forgiven.
    if (n < image.size() - 1) {
      EXPECT_LT(count, 2u) << n;
    }
  }
  std::vector<Byte> lie = image;
  lie[32] = 0xFF;  // the first entry claims far more data than there is
  lie[33] = 0xFF;
  EXPECT_THROW(ParseResourceImage(lie.data(), lie.size(), [](const TResourceEntry&) {}), EReadError);
}

TEST(ResourcesTest, LinkedResourcesAreFoundInTheModuleOfTheCaller) {
  RegisterCoreClasses();
  RegisterFixtureClasses();
  EXPECT_EQ(HInstance(), MainInstance());
  const TResourceEntry* e = FindResource(HInstance(), "TTestModule", RT_RCDATA);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(ObjectBinaryToText(std::string_view(reinterpret_cast<const char*>(e->Data), e->Size)), ModuleText);
  EXPECT_EQ(FindResource(nullptr, "TTESTMODULE", RT_RCDATA), e);
  EXPECT_EQ(FindResource(HInstance(), "TTestModule", 3), nullptr);
  try {
    TResourceStream s(HInstance(), "NOSUCHRES", RT_RCDATA);
    FAIL();
  } catch (const EResNotFound& ex) {
    EXPECT_STREQ(ex.what(), "Resource NOSUCHRES not found");
  }
  TResourceStream s(HInstance(), "TTESTMODULE", RT_RCDATA);
  EXPECT_THROW(s.WriteBuffer("x", 1), EStreamError);

  // A form class reads its own resource, named by its class.
  TTestModule m(nullptr);
  EXPECT_TRUE(InitInheritedComponent(&m, TDataModule::StaticClass()));
  EXPECT_EQ(m.Name(), "TestModule");
  auto* link = dynamic_cast<TLink*>(m.FindComponent("Link1"));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetTarget(), m.FindComponent("Widget1"));
  TDataModule plain(nullptr);
  EXPECT_FALSE(InitInheritedComponent(&plain, TComponent::StaticClass()));
  std::unique_ptr<TComponent> made(ReadComponentRes("TTESTMODULE", nullptr));
  EXPECT_EQ(made->ComponentCount(), 2);
  EXPECT_THROW(ReadComponentRes("MISSING", nullptr), EResNotFound);
}

extern "C" const void* ResModuleInstance();

TEST(ResourcesTest, EveryModuleHasATableOfItsOwn) {
  const void* lib = ResModuleInstance();
  ASSERT_NE(lib, nullptr);
  EXPECT_NE(lib, MainInstance());
  EXPECT_NE(FindResource(lib, "ModuleThing", RT_RCDATA), nullptr);
  EXPECT_EQ(FindResource(lib, "TTESTMODULE", RT_RCDATA), nullptr);
  EXPECT_EQ(FindResource(MainInstance(), "MODULETHING", RT_RCDATA), nullptr);
  std::vector<const void*> modules = ResourceModules();
  ASSERT_GE(modules.size(), 2u);
  EXPECT_EQ(modules[0], MainInstance());
  EXPECT_NE(std::find(modules.begin(), modules.end(), lib), modules.end());
  // Reading by name looks in every module when the class's own has nothing.
  RegisterCoreClasses();
  std::unique_ptr<TComponent> thing(ReadComponentRes("ModuleThing", nullptr));
  EXPECT_EQ(thing->Name(), "ModuleThing");
}

TEST(ResourcesTest, ComponentResourceFilesOnDisk) {
  RegisterFixtureClasses();
  TStringStream text(ModuleText), bin;
  ObjectTextToBinary(&text, &bin);
  bin.SetPosition(0);
  std::unique_ptr<TComponent> root(bin.ReadComponent(nullptr));
  String path = GetTempFileName("", "xel_res_");
  WriteComponentResFile(path, root.get());
  std::unique_ptr<TComponent> back(ReadComponentResFile(path, nullptr));
  EXPECT_EQ(back->ClassName(), "TTestModule");
  EXPECT_EQ(back->ComponentCount(), 2);
  DeleteFile(path);
}

// A unit's language file is one component resource with the short header the stream
// writes; a program links it as it stands.
TEST(ResourcesTest, ComponentResourcesWithTheStreamsHeaderRegisterAsWritten) {
  RegisterFixtureClasses();
  TStringStream text(ModuleText), bin;
  ObjectTextToBinary(&text, &bin);
  bin.SetPosition(0);
  std::unique_ptr<TComponent> root(bin.ReadComponent(nullptr));
  TMemoryStream written;
  written.WriteComponentRes("{5E1C0A2B-0000-4000-8000-00000000AB01}", root.get());
  // Registered entries point into the image: it lives as long as the program.
  static std::vector<Byte> image;
  image.assign(written.Memory(), written.Memory() + written.Size());
  for (size_t cut = 0; cut < image.size(); ++cut)
    EXPECT_THROW(RegisterModuleResources(&image, image.data(), cut), EReadError) << cut;
  EXPECT_EQ(FindResource(nullptr, "{5E1C0A2B-0000-4000-8000-00000000AB01}", RT_RCDATA), nullptr);
  RegisterModuleResources(&image, image.data(), image.size());
  const TResourceEntry* e = FindResource(nullptr, "{5e1c0a2b-0000-4000-8000-00000000ab01}", RT_RCDATA);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Data + e->Size, image.data() + image.size());
  std::unique_ptr<TComponent> back(ReadComponentRes("{5E1C0A2B-0000-4000-8000-00000000AB01}", nullptr));
  EXPECT_EQ(back->ClassName(), "TTestModule");
  EXPECT_EQ(back->ComponentCount(), 2);
}

}  // namespace
}  // namespace xel::test
