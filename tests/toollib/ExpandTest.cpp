// The component helpers: walks, form lookups, naming, numbers, buffers, the registry.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Expand.h"
#include "Forms.h"
#include "StdCtrls.h"

namespace xel {
namespace {

struct TVisits : TObject {
  std::vector<String> Names;
  void Component(TComponent* c, void* param) {
    EXPECT_EQ(param, this);
    Names.push_back(c->GetName());
  }
  void Control(TControl* c, void*) { Names.push_back(c->GetName()); }
};

TComponent* Named(TComponent* c, const char* name) {
  c->SetName(name);
  return c;
}

TEST(ExpandTest, WalksVisitChildrenBeforeTheirNodeLastFirst) {
  TForm form(nullptr, TCreateNew{});
  form.SetName("Form");
  Named(new TComponent(&form), "A");
  TComponent* b = Named(new TComponent(&form), "B");
  Named(new TComponent(b), "C");
  TVisits v;
  ForEachComponent(&form, MakeMethod<&TVisits::Component>(&v), &v);
  EXPECT_EQ(v.Names, (std::vector<String>{"C", "B", "A", "Form"}));

  // Controls: graphic children are passed directly, windowed ones descended into.
  TForm f2(nullptr, TCreateNew{});
  f2.SetName("F2");
  auto* box = new TGroupBox(&f2);
  box->SetName("Box");
  box->SetParent(&f2);
  auto* inner = new TLabel(&f2);
  inner->SetName("Inner");
  inner->SetParent(box);
  auto* label = new TLabel(&f2);
  label->SetName("Label");
  label->SetParent(&f2);
  auto* edit = new TEdit(&f2);
  edit->SetName("Edit");
  edit->SetParent(&f2);
  v.Names.clear();
  ForEachControl(&f2, MakeMethod<&TVisits::Control>(&v), nullptr);
  // Controls[] holds the graphic ones first: Label, then Box, Edit.
  EXPECT_EQ(v.Names, (std::vector<String>{"Edit", "Inner", "Box", "Label", "F2"}));

  TCustomForm* owner = nullptr;
  EXPECT_TRUE(GetOwnerForm(inner, owner));
  EXPECT_EQ(owner, &f2);
  EXPECT_FALSE(GetOwnerForm(&f2, owner));
  EXPECT_EQ(owner, nullptr);
  EXPECT_FALSE(GetOwnerForm(nullptr, owner));
  EXPECT_EQ(FindParentWinControl(inner), box);
  EXPECT_EQ(GetWinControl(edit), edit);
  EXPECT_EQ(GetWinControl(label), nullptr);  // its parent is the form, which owns nothing windowed of it
  edit->SetText("value");
  EXPECT_EQ(FindWnd(&f2, "TEdit", ""), edit);
  EXPECT_EQ(FindWnd(&f2, "TEdit", "value"), edit);
  EXPECT_EQ(FindWnd(&f2, "TEdit", "other"), nullptr);
  EXPECT_EQ(FindWnd(&f2, "TLabel", ""), nullptr);  // not a window
}

TEST(ExpandTest, OptimizeNumericStr) {
  const std::pair<const char*, const char*> cases[] = {
      {"+007.500", "07.5"}, {"-0.0", "-0"}, {"0.50", "0.5"},   {"1.0E10", "1E10"}, {" + 12 ", "12"},
      {"-000", "-0"},       {"100", "100"}, {"2.50e-3", "2.5e-3"}, {"", ""}};
  for (const auto& [in, out] : cases) EXPECT_EQ(OptimizeNumericString(in), out) << in;
}

TEST(ExpandTest, BuffersAndErrors) {
  String s;
  const char raw[] = "ab\r\n\tcd\x01\x02";
  BufferToString(raw, sizeof raw - 1, ' ', s);
  EXPECT_EQ(s, "ab cd");
  CopyBufferToString(raw, 4, s);
  EXPECT_EQ(s, String("ab\r\n"));
  try {
    CaseError();
  } catch (const ECriticalError& e) {
    EXPECT_STREQ(e.what(), "Case value not handled");
  }
  EXPECT_THROW(CriticalError(), ECriticalError);
  EXPECT_THROW(Error("plain"), Exception);
  String module;
  std::uintptr_t offset = 0;
  EXPECT_TRUE(GetLogicalAddress(reinterpret_cast<const void*>(&CaseError), module, offset));
  EXPECT_NE(module.find("libxel_toollib"), String::npos);
  EXPECT_GT(offset, 0u);
}

TEST(ExpandTest, RegistryAndAutoStartLiveInTheStore) {
  char dir[] = "/tmp/xel-expand-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  setenv("XEL_REGISTRY_DIR", dir, 1);
  String value = "x";
  EXPECT_FALSE(ReadFromRegistry(HKEY_CURRENT_USER, "Software\\Xel\\Test", "Name", value));
  EXPECT_FALSE(WriteToRegistry(HKEY_CURRENT_USER, "Software\\Xel\\Test", "Name", "v", false));
  EXPECT_TRUE(WriteToRegistry(HKEY_CURRENT_USER, "Software\\Xel\\Test", "Name", "v", true));
  EXPECT_TRUE(ReadFromRegistry(HKEY_CURRENT_USER, "Software\\Xel\\Test", "Name", value));
  EXPECT_EQ(value, "v");

  bool enabled = true;
  EXPECT_FALSE(AutoStartEnabled("Demo", "demo.exe", enabled));
  EXPECT_FALSE(enabled);
  EXPECT_TRUE(EnableAutoStart("Demo", "C:\\Demo\\demo.exe", true));
  EXPECT_TRUE(AutoStartEnabled("Demo", "c:\\demo\\DEMO.EXE", enabled));
  EXPECT_TRUE(enabled);
  EXPECT_TRUE(AutoStartEnabled("Demo", "other.exe", enabled));
  EXPECT_FALSE(enabled);
  EXPECT_TRUE(EnableAutoStart("Demo", "", false));
  EXPECT_TRUE(AutoStartEnabled("Demo", "C:\\Demo\\demo.exe", enabled));
  EXPECT_FALSE(enabled);
  unsetenv("XEL_REGISTRY_DIR");
  std::system((String("rm -rf ") + dir).c_str());
}

TEST(ExpandTest, ToolComponentsShortenTheirNameAndStayOnePerDesignedForm) {
  TComponent designed(nullptr);
  designed.SetDesigning(true);
  auto* first = new TUniComponent(&designed);
  first->SetName("UniComponent1");
  EXPECT_EQ(first->GetName(), "UniComponent");
  try {
    new TUniComponent(&designed);
    FAIL() << "expected an exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Component can only be placed on formular one time");
  }
  EXPECT_EQ(designed.ComponentCount(), 1);
  TComponent running(nullptr);
  new TUniComponent(&running);
  new TUniComponent(&running);
  EXPECT_EQ(running.ComponentCount(), 2);
  auto* ex = new TExComponent(&running);
  ex->SetName("Log2");
  EXPECT_EQ(ex->GetName(), "Log");
  ex->SetName("Log3");  // only the first naming shortens
  EXPECT_EQ(ex->GetName(), "Log3");
}

TEST(ExpandTest, FilesReadWholeAndWriteWhole) {
  String name = "/tmp/xel-expand-file.bin";
  const char data[] = {'a', '\0', 'b'};
  SaveToFile(name, data, sizeof data);
  EXPECT_EQ(LoadFromFile(name), String(data, 3));
  std::remove(name.c_str());
  EXPECT_THROW(LoadFromFile(name), EFOpenError);
}

}  // namespace
}  // namespace xel
