#include <gtest/gtest.h>

#include <cstring>

#include "Classes.h"
#include "Fixtures.h"
#include "TextForms.h"

namespace xel::test {
namespace {

String Bytes(std::initializer_list<int> b) {
  String s;
  for (int c : b) s += static_cast<char>(c);
  return s;
}

// Writes with one writer call and returns the bytes.
String Written(const std::function<void(TWriter&)>& write) {
  TStringStream out;
  {
    TWriter w(&out);
    write(w);
  }
  return out.DataString();
}

TEST(FilerTest, IntegersTakeTheSmallestTag) {
  struct Case {
    Int64 value;
    TValueType tag;
    size_t size;
  };
  const Case cases[] = {
      {0, vaInt8, 2},           {127, vaInt8, 2},        {-128, vaInt8, 2},         {128, vaInt16, 3},
      {-129, vaInt16, 3},       {32767, vaInt16, 3},     {-32768, vaInt16, 3},      {32768, vaInt32, 5},
      {-32769, vaInt32, 5},     {INT32_MAX, vaInt32, 5}, {INT32_MIN, vaInt32, 5},   {Int64(INT32_MAX) + 1, vaInt64, 9},
      {INT64_MIN, vaInt64, 9},
  };
  for (const Case& c : cases) {
    String b = Written([&](TWriter& w) { w.WriteInteger(c.value); });
    ASSERT_EQ(b.size(), c.size) << c.value;
    EXPECT_EQ(static_cast<Byte>(b[0]), c.tag) << c.value;
    TStringStream in(b);
    TReader r(&in);
    EXPECT_EQ(r.ReadInt64(), c.value);
  }
  EXPECT_EQ(Written([](TWriter& w) { w.WriteInteger(-2); }), Bytes({vaInt8, 0xFE}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteInteger(0x1234); }), Bytes({vaInt16, 0x34, 0x12}));
}

TEST(FilerTest, ValuesOfEveryTagRoundTrip) {
  String s255(255, 'x'), s256(256, 'y');
  String b = Written([&](TWriter& w) {
    w.WriteString("");
    w.WriteString(s255);
    w.WriteString(s256);
    w.WriteString("Grüße");
    w.WriteWideString(u"Ωmega");
    w.WriteFloat(-0.1L);
    w.WriteFloat(1e300L);
    w.WriteSingle(1.5f);
    w.WriteCurrency(Currency::FromScaled(123456));
    w.WriteDate(TDateTime(36526.25));
    w.WriteIdent("True");
    w.WriteIdent("False");
    w.WriteIdent("nil");
    w.WriteIdent("alClient");
    w.WriteBoolean(true);
    w.WriteListBegin();
    w.WriteInteger(1);
    w.WriteString("two");
    w.WriteListEnd();
    w.WriteBinary([](TStream* s) { s->WriteBuffer("\x00\x01\xFF", 3); });
    w.WriteVariant(Variant::Null());
    w.WriteVariant(Variant(SmallInt(300)));
  });
  TStringStream in(b);
  TReader r(&in);
  EXPECT_EQ(r.NextValue(), vaString);
  EXPECT_EQ(r.ReadString(), "");
  EXPECT_EQ(r.NextValue(), vaString);
  EXPECT_EQ(r.ReadString(), s255);
  EXPECT_EQ(r.NextValue(), vaLString);
  EXPECT_EQ(r.ReadString(), s256);
  EXPECT_EQ(r.ReadString(), "Grüße");
  EXPECT_EQ(r.NextValue(), vaWString);
  EXPECT_EQ(r.ReadWideString(), u"Ωmega");
  EXPECT_EQ(r.ReadFloat(), -0.1L);
  EXPECT_EQ(r.ReadFloat(), 1e300L);
  EXPECT_EQ(r.ReadSingle(), 1.5f);
  EXPECT_EQ(r.ReadCurrency().Scaled, 123456);
  EXPECT_EQ(r.ReadDate().Value(), 36526.25);
  EXPECT_EQ(r.NextValue(), vaTrue);
  EXPECT_EQ(r.ReadIdent(), "True");
  EXPECT_EQ(r.ReadIdent(), "False");
  EXPECT_EQ(r.ReadIdent(), "nil");
  EXPECT_EQ(r.ReadIdent(), "alClient");
  EXPECT_TRUE(r.ReadBoolean());
  r.ReadListBegin();
  EXPECT_EQ(r.ReadInteger(), 1);
  EXPECT_EQ(r.ReadString(), "two");
  EXPECT_TRUE(r.EndOfList());
  r.ReadListEnd();
  EXPECT_EQ(r.NextValue(), vaBinary);
  r.SkipValue();
  EXPECT_TRUE(r.ReadVariant().IsNull());
  Variant v = r.ReadVariant();
  EXPECT_EQ(v.VarType(), varSmallint);
  EXPECT_EQ(v.AsInteger(), 300);
  EXPECT_EQ(r.Left(), 0);
}

TEST(FilerTest, OtherToolsStringTagsAreRead) {
  // vaUTF8String (20) and vaWString (18) as other writers store them.
  String b = Bytes({vaUTF8String, 3, 0, 0, 0}) + "\xC3\xA4x" + Bytes({vaWString, 2, 0, 0, 0, 0xA9, 0x03, 'z', 0});
  TStringStream in(b);
  TReader r(&in);
  EXPECT_EQ(r.ReadString(), "äx");
  EXPECT_EQ(r.ReadString(), "Ωz");
  TStringStream bad(Bytes({21}));
  TReader r2(&bad);
  EXPECT_THROW(r2.ReadValue(), EReadError);
}

TEST(FilerTest, ExtendedFloatsUseTheTenByteLayout) {
  Byte b[10];
  ExtendedToBytes(1.0L, b);
  EXPECT_EQ(std::vector<Byte>(b, b + 10), (std::vector<Byte>{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  ExtendedToBytes(-2.5L, b);
  EXPECT_EQ(std::vector<Byte>(b, b + 10), (std::vector<Byte>{0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}));
  for (long double v : {0.0L, 1e-4000L, 3.14159265358979323846L, -1e4000L, 1e-310L}) {
    ExtendedToBytes(v, b);
    EXPECT_EQ(BytesToExtended(b), v);
  }
}

// A form-like root: widgets with sub-objects, lines, events, a collection, references.
struct TFormFixture {
  std::unique_ptr<TTestModule> Root = std::make_unique<TTestModule>(nullptr);
  TWidget* Widget;
  TLink* Forward;
  TLink* Back;
  TLink* ToRoot;

  TFormFixture() {
    RegisterCoreClasses();
    RegisterFixtureClasses();
    Root->SetName("Module1");
    Forward = new TLink(Root.get());  // created before its target: a forward reference
    Forward->SetName("Forward");
    Widget = new TWidget(Root.get());
    Widget->SetName("Widget1");
    Widget->SetCaption("Hello, world");
    Widget->FCount = 6;
    Widget->FEnabled = false;
    Widget->FVisible = true;
    Widget->FShade = shDark;
    Widget->FShades = {shLight, shDark};
    Widget->FLetter = 'Z';
    Widget->FRatio = 0.25;
    Widget->FPrice = Currency::FromScaled(19990);
    Widget->FValue = Variant("variant text");
    Widget->FBig = INT64_C(1) << 40;
    Widget->FWide = u"wide ü";
    Widget->GetFont()->FName = "Courier New";
    Widget->GetFont()->FStyle = {shMedium};
    Widget->GetLines()->SetText("first\nsecond");
    Widget->SetBound(0, 10);
    Widget->SetBound(1, -20);
    Widget->FOnClick = MakeMethod<&TTestModule::WidgetClick>(Root.get());
    Forward->SetTarget(Widget);
    Back = new TLink(Root.get());
    Back->SetName("Back");
    Back->SetTarget(Forward);
    ToRoot = new TLink(Root.get());
    ToRoot->SetName("ToRoot");
    ToRoot->SetTarget(Root.get());
    ToRoot->SetDesignInfo(0x00200010);  // Left 16, Top 32
  }

  String Binary() const {
    TStringStream s;
    s.WriteComponent(Root.get());
    return s.DataString();
  }
};

TEST(FilerTest, AFormRoundTripsWithReferencesEventsAndLoaded) {
  TFormFixture f;
  String binary = f.Binary();
  TStringStream in(binary);
  std::unique_ptr<TComponent> read(in.ReadComponent(nullptr));
  auto* root = dynamic_cast<TTestModule*>(read.get());
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Name(), "Module1");
  ASSERT_EQ(root->ComponentCount(), 4);
  auto* w = dynamic_cast<TWidget*>(root->FindComponent("Widget1"));
  auto* fwd = dynamic_cast<TLink*>(root->FindComponent("Forward"));
  auto* back = dynamic_cast<TLink*>(root->FindComponent("Back"));
  auto* toRoot = dynamic_cast<TLink*>(root->FindComponent("ToRoot"));
  ASSERT_TRUE(w && fwd && back && toRoot);
  EXPECT_EQ(w->FCaption, "Hello, world");
  EXPECT_EQ(w->FCount, 6);
  EXPECT_FALSE(w->FEnabled);
  EXPECT_TRUE(w->FVisible);
  EXPECT_EQ(w->FShade, shDark);
  EXPECT_EQ(w->FShades, (TShades{shLight, shDark}));
  EXPECT_EQ(w->FLetter, 'Z');
  EXPECT_EQ(w->FRatio, 0.25);
  EXPECT_EQ(w->FPrice.Scaled, 19990);
  EXPECT_EQ(w->FValue.AsString(), "variant text");
  EXPECT_EQ(w->FBig, INT64_C(1) << 40);
  EXPECT_EQ(w->FWide, u"wide ü");
  EXPECT_EQ(w->GetFont()->FName, "Courier New");
  EXPECT_EQ(w->GetFont()->FStyle, TShades{shMedium});
  EXPECT_EQ(w->GetLines()->Text(), "first\r\nsecond\r\n");
  EXPECT_EQ(w->FBounds[0], 10);
  EXPECT_EQ(w->FBounds[1], -20);
  w->FOnClick(w);
  ASSERT_EQ(root->Clicked.size(), 1u);  // the handler is bound to the new root
  EXPECT_EQ(fwd->GetTarget(), w);
  EXPECT_EQ(back->GetTarget(), fwd);
  EXPECT_EQ(toRoot->GetTarget(), root);
  EXPECT_EQ(toRoot->DesignInfo(), 0x00200010);
  // Loaded ran once on every component, after all references were in place.
  for (TLink* l : {fwd, back, toRoot}) {
    EXPECT_EQ(l->LoadedCalls, 1);
    EXPECT_EQ(l->TargetAtLoaded, l->GetTarget());
    EXPECT_FALSE(l->ComponentState().Contains(csLoading));
    EXPECT_FALSE(l->ComponentState().Contains(csReading));
  }
  // Writing what was read gives the same bytes.
  TStringStream again;
  again.WriteComponent(root);
  EXPECT_EQ(again.DataString(), binary);
}

TEST(FilerTest, DefaultsAndStoredRulesDecideWhatIsWritten) {
  RegisterFixtureClasses();
  TTestModule root(nullptr);
  root.SetName("M");
  auto* w = new TWidget(&root);
  w->SetName("W");
  w->FHint = "default hint";  // stored false by its method
  TStringStream s;
  s.WriteComponent(&root);
  String text = ObjectBinaryToText(s.DataString());
  // Count 5, Enabled True and Shade shMedium are the declared defaults; empty strings,
  // zero floats and empty lines are not written; Visible has no default and is.
  EXPECT_EQ(text,
            "object M: TTestModule\r\n"
            "  object W: TWidget\r\n"
            "    Visible = False\r\n"
            "    Shades = []\r\n"
            "    Letter = 'A'\r\n"
            "    Font.Name = 'Arial'\r\n"
            "    Font.Color = 0\r\n"
            "    Left = 0\r\n"
            "    Top = 0\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST(FilerTest, UnknownPropertiesFailWithTheirPathOrGoToTheErrorHandler) {
  RegisterFixtureClasses();
  String binary = ObjectTextToBinary(
      "object M: TTestModule\r\n"
      "  object W: TWidget\r\n"
      "    Caption = 'kept'\r\n"
      "    Colour = 5\r\n"
      "    Font.Weight = 'bold'\r\n"
      "    Count = 9\r\n"
      "  end\r\n"
      "end\r\n");
  {
    TStringStream in(binary);
    try {
      std::unique_ptr<TComponent> c(in.ReadComponent(nullptr));
      FAIL();
    } catch (const EReadError& e) {
      EXPECT_STREQ(e.what(), "Error reading W.Colour: Property Colour does not exist");
    }
  }
  struct TSink : TObject {
    std::vector<String> Messages;
    void OnError(TReader*, const String& m, bool& handled) {
      Messages.push_back(m);
      handled = true;
    }
  } sink;
  TStringStream in(binary);
  TReader reader(&in);
  reader.OnError = MakeMethod<&TSink::OnError>(&sink);
  std::unique_ptr<TComponent> root(reader.ReadRootComponent(nullptr));
  auto* w = dynamic_cast<TWidget*>(root->FindComponent("W"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->FCaption, "kept");
  EXPECT_EQ(w->FCount, 9);  // reading went on after the skipped values
  EXPECT_EQ(sink.Messages, (std::vector<String>{"Error reading W.Colour: Property Colour does not exist",
                                                "Error reading W.Font.Weight: Property Weight does not exist"}));
}

// A reader error knows the components, property and stream position where it arose, and
// a binary made from a text maps that position back to the line and column of the text.
TEST(FilerTest, ErrorsKnowTheirPlaceInTheStreamAndInTheText) {
  RegisterFixtureClasses();
  const String text =
      "object M: TTestModule\r\n"
      "  object W: TWidget\r\n"
      "    Caption = 'kept'\r\n"
      "    Colour = 5\r\n"
      "    Font.Weight = 'bold'\r\n"
      "  end\r\n"
      "  object L: TLink\r\n"
      "    Target = Missing\r\n"
      "  end\r\n"
      "  object X: TNoSuchClass\r\n"
      "    Tag = 1\r\n"
      "  end\r\n"
      "  object V: TWidget\r\n"
      "    Caption = '\xC3\xA4\xC3\xA4' Count = 'text'\r\n"
      "    Hint = 'after'\r\n"
      "  end\r\n"
      "end\r\n";
  TTextSourceMap map;
  const String binary = ObjectTextToBinary(text, &map);
  struct TSink : TObject {
    const TTextSourceMap* map = nullptr;
    std::vector<String> Places;
    String Where(const TReader::TReadPlace& p) const {
      int line = 0, column = 0;
      map->Find(p.Position, line, column);
      return p.Path + "@" + IntToStr(line) + ":" + IntToStr(column);
    }
    void OnError(TReader* r, const String&, bool& handled) {
      Places.push_back(Where(r->ErrorPlace()));
      handled = true;
    }
  } sink;
  sink.map = &map;
  TStringStream in(binary);
  TReader reader(&in);
  reader.OnError = MakeMethod<&TSink::OnError>(&sink);
  std::unique_ptr<TComponent> root(reader.ReadRootComponent(nullptr));
  // Columns count characters, not bytes: each "\xC3\xA4" before Count is one wide.
  EXPECT_EQ(sink.Places,
            (std::vector<String>{"M.W.Colour@4:5", "M.W.Font.Weight@5:5", "M.X@10:3", "M.V.Count@14:20"}));
  // A value that the property refused is passed over: what follows it is read.
  EXPECT_EQ(static_cast<TWidget*>(root->FindComponent("V"))->FHint, "after");
  ASSERT_EQ(reader.UnresolvedPlaces().size(), 1u);
  EXPECT_EQ(sink.Where(reader.UnresolvedPlaces()[0]), "M.L.Target@8:5");

  // A stream cut inside a value: the reader and the converter to text stop at the same
  // place, the property whose value is cut.
  const size_t caption = binary.find("Caption");
  const String cut = binary.substr(0, caption + 10);
  TStringStream cutIn(cut);
  TReader cutReader(&cutIn);
  EXPECT_THROW(std::unique_ptr<TComponent>(cutReader.ReadRootComponent(nullptr)), EReadError);
  EXPECT_EQ(cutReader.ErrorPlace().Path, "M.W.Caption");
  EXPECT_EQ(cutReader.ErrorPlace().Position, static_cast<Int64>(caption) - 1);  // its name's length byte
  TReader::TReadPlace converted;
  EXPECT_THROW(ObjectBinaryToText(cut, &converted), EReadError);
  EXPECT_EQ(converted.Path, cutReader.ErrorPlace().Path);
  EXPECT_EQ(converted.Position, cutReader.ErrorPlace().Position);
}

TEST(FilerTest, UnknownClassesAndMissingMethodsAreReported) {
  RegisterFixtureClasses();
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object M: TTestModule\r\n  object X: TNoSuchClass\r\n  end\r\nend\r\n", "Class TNoSuchClass not found"},
      {"object M: TTestModule\r\n  object W: TWidget\r\n    OnClick = Missing\r\n  end\r\nend\r\n",
       "Error reading W.OnClick: Method Missing not found"},
      {"object M: TTestModule\r\n  object W: TWidget\r\n    Shade = shPurple\r\n  end\r\nend\r\n",
       "Error reading W.Shade: Invalid property value"},
      {"object M: TTestModule\r\n  object W: TWidget\r\n    Count = 'text'\r\n  end\r\nend\r\n",
       "Error reading W.Count: Invalid property value"},
      {"object M: TTestModule\r\n  object W: TWidget\r\n    Computed = 1\r\n  end\r\nend\r\n",
       "Error reading W.Computed: Property is read-only"},
  };
  for (const Case& c : cases) {
    TStringStream in(ObjectTextToBinary(c.text));
    try {
      std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
      ADD_FAILURE() << c.text;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(FilerTest, DamagedStreamsRaiseReadErrorsAtEveryCut) {
  TFormFixture f;
  String binary = f.Binary();
  // Every prefix of a valid stream is a damaged stream; none may crash or succeed.
  for (size_t n = 0; n < binary.size(); ++n) {
    TStringStream in(binary.substr(0, n));
    EXPECT_THROW(std::unique_ptr<TComponent>(in.ReadComponent(nullptr)), Exception) << n;
  }
  // A length that claims more than there is.
  String lie = "TPF0" + Bytes({7}) + "TWidget" + Bytes({1, 'W', 7}) + "Caption" + Bytes({vaLString, 0xFF, 0xFF, 0xFF, 0x7F});
  TStringStream in(lie);
  EXPECT_THROW(std::unique_ptr<TComponent>(in.ReadComponent(nullptr)), EReadError);
  // Nesting deeper than any real form.
  String deep = "TPF0" + Bytes({7}) + "TWidget" + Bytes({1, 'W', 4}) + "Deep" + String(100000, '\x01');
  TStringStream in2(deep);
  EXPECT_THROW(std::unique_ptr<TComponent>(in2.ReadComponent(nullptr)), EReadError);
}

TEST(FilerTest, CollectionsAreReadIntoTheirProperty) {
  RegisterFixtureClasses();
  // An empty collection in the stream empties the collection it is read into.
  TOwnedCollection coll(nullptr, TCollectionItem::StaticClass());
  coll.Add();
  String b = Written([](TWriter& w) {
    w.WriteValue(vaCollection);
    w.WriteListEnd();
  });
  TStringStream in(b);
  TReader r(&in);
  ASSERT_EQ(r.ReadValue(), vaCollection);
  r.ReadCollection(&coll);
  EXPECT_EQ(coll.Count(), 0);
}

TEST(FilerTest, ADescendentStoresOnlyWhatDiffersFromItsAncestor) {
  RegisterFixtureClasses();
  auto make = [](const char* caption) {
    auto root = std::make_unique<TTestModule>(nullptr);
    root->SetName("Module1");
    auto* w = new TWidget(root.get());
    w->SetName("Widget1");
    w->SetCaption(caption);
    w->GetFont()->FName = "Tahoma";
    w->GetLines()->SetText("same");
    return root;
  };
  auto ancestor = make("base");
  auto descendant = make("changed");
  auto* extra = new TLink(descendant.get());
  extra->SetName("Extra");
  extra->SetTarget(descendant->FindComponent("Widget1"));
  TStringStream s;
  s.WriteDescendent(descendant.get(), ancestor.get());
  EXPECT_EQ(ObjectBinaryToText(s.DataString()),
            "inherited Module1: TTestModule\r\n"
            "  inherited Widget1: TWidget\r\n"
            "    Caption = 'changed'\r\n"
            "  end\r\n"
            "  object Extra: TLink\r\n"
            "    Target = Widget1\r\n"
            "  end\r\n"
            "end\r\n");
  // Read over an instance of the ancestor, the inherited components take the changes.
  TStringStream in(s.DataString());
  auto target = make("base");
  in.ReadComponent(target.get());
  EXPECT_EQ(static_cast<TWidget*>(target->FindComponent("Widget1"))->FCaption, "changed");
  EXPECT_NE(target->FindComponent("Extra"), nullptr);
  EXPECT_EQ(target->ComponentCount(), 2);
}

TEST(FilerTest, ComponentResourceHeader) {
  TFormFixture f;
  TStringStream res;
  res.WriteComponentRes("TTestModule", f.Root.get());
  const String& d = res.DataString();
  String header = Bytes({0xFF, 0x0A, 0x00}) + "TTESTMODULE" + Bytes({0, 0x30, 0x10});
  ASSERT_GT(d.size(), header.size() + 4);
  EXPECT_EQ(d.substr(0, header.size()), header);
  std::uint32_t size;
  std::memcpy(&size, d.data() + header.size(), 4);
  EXPECT_EQ(size, d.size() - header.size() - 4);
  EXPECT_EQ(d.substr(header.size() + 4), f.Binary());
  res.SetPosition(0);
  std::unique_ptr<TComponent> back(res.ReadComponentRes(nullptr));
  EXPECT_EQ(back->ComponentCount(), 4);
  TStringStream bad(Bytes({0xFF, 0x0B, 0x00}));
  EXPECT_THROW(bad.ReadComponentRes(nullptr), EInvalidImage);
}

}  // namespace
}  // namespace xel::test
