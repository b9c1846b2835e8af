// TFiler, TReader and TWriter: the host's binary form stream ("TPF0").
#pragma once

#include <functional>
#include <vector>

#include "Component.h"
#include "Streams.h"

namespace xel {

class TCollection;

// The value tags of the stream, in their byte values.
XEL_ENUM(TValueType, vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue,
         vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64,
         vaUTF8String)

// Flags of the optional prefix byte (0xF0 | flags) before a component.
enum TFilerFlag : Byte { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

// 80-bit extended floats as the stream stores them (10 bytes, little-endian x87 layout).
void ExtendedToBytes(long double value, Byte out[10]);
long double BytesToExtended(const Byte in[10]);

using TReaderProc = std::function<void(TReader*)>;
using TWriterProc = std::function<void(TWriter*)>;
using TStreamProc = std::function<void(TStream*)>;

class TFiler : public TObject {
  XEL_CLASS(TFiler, TObject)
public:
  explicit TFiler(TStream* stream) : FStream(stream) {}
  // Stores data that are not published properties under a name of their own; the
  // writer writes them only when hasData is true.
  virtual void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                              bool hasData) = 0;
  virtual void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                                    bool hasData) = 0;
  TComponent* Root() const { return FRoot; }
  TComponent* LookupRoot() const { return FLookupRoot; }
  // The object of the ancestor form that the one being written is compared with, if any.
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* a) { FAncestor = a; }
  bool IgnoreChildren() const { return FIgnoreChildren; }
  void SetIgnoreChildren(bool v) { FIgnoreChildren = v; }
  TStream* Stream() const { return FStream; }

protected:
  TStream* FStream;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
  bool FIgnoreChildren = false;
};

XEL_EVENT(TReaderError, TReader* /*Reader*/, const String& /*Message*/, bool& /*Handled*/);
XEL_EVENT(TFindMethodEvent, TReader* /*Reader*/, const String& /*MethodName*/, TMethod& /*Method*/, bool& /*Error*/);
XEL_EVENT(TSetNameEvent, TReader* /*Reader*/, TComponent* /*Component*/, String& /*Name*/);
XEL_EVENT(TFindComponentClassEvent, TReader* /*Reader*/, const String& /*ClassName*/, TClass& /*ComponentClass*/);

class TReader : public TFiler {
  XEL_CLASS(TReader, TFiler)
public:
  // The deepest nesting of components, collections and lists that a stream may have.
  static constexpr int MaxDepth = 200;

  explicit TReader(TStream* stream);
  ~TReader() override;

  void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType value);
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  void ReadSignature();
  void ReadPrefix(Byte& flags, Integer& childPos);
  String ReadStr();  // a short string: length byte, then the bytes
  Integer ReadInteger();
  Int64 ReadInt64();
  bool ReadBoolean();
  char ReadChar();
  long double ReadFloat();
  float ReadSingle();
  Currency ReadCurrency();
  TDateTime ReadDate();
  String ReadString();  // any string tag, as UTF-8
  WideString ReadWideString();
  String ReadIdent();
  Variant ReadVariant();
  std::uint32_t ReadSet(PTypeInfo setType);
  void ReadCollection(TCollection* collection);
  // The whole root: signature, component, fixups, then Loaded on every component read.
  TComponent* ReadRootComponent(TComponent* root);
  TComponent* ReadComponent(TComponent* component);
  void ReadData(TComponent* instance);
  void ReadProperty(TPersistent* instance);
  void SkipValue();
  void SkipProperty();
  void SkipComponent(bool skipHeader);
  void Read(void* buffer, Int64 count);
  // Bytes of the stream not read yet.
  Int64 Left() const;

  TComponent* Owner() const { return FOwner; }
  void SetOwner(TComponent* c) { FOwner = c; }
  TComponent* Parent() const { return FParent; }
  void SetParent(TComponent* c) { FParent = c; }
  // References that named no component when the stream ended ("Instance.Prop=Name").
  const std::vector<String>& UnresolvedReferences() const { return FUnresolved; }

  // The stream position of the next byte to read.
  Int64 Position() const { return FStreamEnd - Left(); }
  // A part of the stream: the path of the components, properties and collection items
  // being read ("Form1.Panel1.Button1.Font.Name", "Glotta1.LanguageManager_Comps[2].Ref")
  // and the stream position where the innermost of them begins.
  struct TReadPlace {
    String Path;
    Int64 Position = -1;
    int Components = 0;  // of the path: 1 for the root itself and its properties
  };
  // Where the last error arose that left a property, collection item or component, or that
  // reached OnError (the handler sees its own); Position -1 while there was none.
  const TReadPlace& ErrorPlace() const { return FErrorPlace; }
  // Where each of UnresolvedReferences() was read.
  const std::vector<TReadPlace>& UnresolvedPlaces() const { return FUnresolvedPlaces; }
  // The references read and not resolved yet: while a root is read, those of its
  // components so far (readers of defined properties may look at theirs).
  struct TReferenceFixup {
    TPersistent* Instance;
    PPropInfo Prop;
    String Name;
    TReadPlace Place;
  };
  const std::vector<TReferenceFixup>& PendingReferences() const;

  TReaderError OnError;
  TFindMethodEvent OnFindMethod;
  TSetNameEvent OnSetName;
  TFindComponentClassEvent OnFindComponentClass;

private:
  // What is being read: a component (Name, and its class for one without a name), a
  // property (Name) or a collection item (Index). Names point into the reading functions'
  // own variables, which live as long as the frame.
  struct TFrame {
    const String* Name;
    const String* ClassName;
    int Index;
    Int64 Position;
  };
  class TFrameScope {
  public:
    TFrameScope(TReader* reader, const String* name, const String* className = nullptr, int index = -1)
        : FReader(reader) {
      if (reader->FFrames.empty()) reader->FErrorNoted = false;  // a new read
      reader->FFrames.push_back({name, className, index, reader->Position()});
    }
    ~TFrameScope() { FReader->FFrames.pop_back(); }
    TFrameScope(const TFrameScope&) = delete;
    TFrameScope& operator=(const TFrameScope&) = delete;

  private:
    TReader* FReader;
  };
  String FramePath() const;
  TReadPlace CurrentPlace() const;
  // Keeps the place of the error being raised, once: the innermost frame that sees it
  // first. A handled error makes room for the next.
  void NoteError();
  void ErrorHandled() { FErrorNoted = false; }
  using TFixup = TReferenceFixup;
  void ReadPropValue(TPersistent* instance, PPropInfo prop);
  void ReadDataInner(TComponent* instance);
  void DoFixupReferences();
  bool Error(const String& message);
  [[noreturn]] void PropValueError();
  [[noreturn]] void PropertyError(const String& name);
  [[noreturn]] void FormatError();
  void Need(Int64 count) const;
  // Goes back (or on) to a stream position, through the buffer where it still holds it.
  void SeekTo(Int64 position);
  void Fill();
  void Enter();
  void Leave() { --FDepth; }

  std::vector<Byte> FBuffer;
  size_t FBufPos = 0;
  size_t FBufEnd = 0;
  Int64 FStreamLeft = 0;  // bytes of the stream beyond the buffer
  int FDepth = 0;
  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  String FPropName;
  bool FCanHandleExcepts = false;
  std::vector<TFixup>* FFixups = nullptr;
  std::vector<TComponent*>* FLoaded = nullptr;
  std::vector<String> FUnresolved;
  std::vector<TReadPlace> FUnresolvedPlaces;
  Int64 FStreamEnd = 0;
  std::vector<TFrame> FFrames;
  TReadPlace FErrorPlace;
  bool FErrorNoted = false;
  // The stream ended inside what it promised: nothing after can be read, handler or not.
  mutable bool FStreamEnded = false;
};

class TWriter : public TFiler {
  XEL_CLASS(TWriter, TFiler)
public:
  explicit TWriter(TStream* stream);
  ~TWriter() override;

  void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  void WriteValue(TValueType value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteSignature();
  void WritePrefix(Byte flags, Integer childPos);
  void WriteStr(std::string_view s);  // short string, at most 255 bytes
  void WriteInteger(Int64 value);     // in the smallest tag that holds it
  void WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
  void WriteChar(char value);
  void WriteFloat(long double value);
  void WriteSingle(float value);
  void WriteCurrency(Currency value);
  void WriteDate(TDateTime value);
  void WriteString(std::string_view value);  // vaString up to 255 bytes, vaLString beyond
  void WriteWideString(const WideString& value);
  void WriteIdent(std::string_view ident);   // True, False, nil and Null as their own tags
  void WriteVariant(const Variant& value);
  void WriteBinary(const TStreamProc& writeData);
  void WriteCollection(TCollection* collection);
  void WriteComponent(TComponent* component);
  void WriteRootComponent(TComponent* root) { WriteDescendent(root, nullptr); }
  void WriteDescendent(TComponent* root, TComponent* ancestor);
  void WriteProperties(TPersistent* instance);
  void WriteProperty(TPersistent* instance, PPropInfo prop);
  void WritePropName(std::string_view name);
  void Write(const void* buffer, Int64 count);
  void FlushBuffer();
  // The stream position at which the next byte will stand.
  Int64 Position() const { return FStream->Position() + static_cast<Int64>(FBuffer.size()); }
  // The component's own stream record: prefix, class and name, properties, children.
  void WriteData(TComponent* instance);

private:
  String ComponentValue(TComponent* component) const;
  // Puts the property path and the ancestor back when the scope ends.
  auto KeepPathAndAncestor() {
    return TFinally([this, path = FPropPath, ancestor = FAncestor] {
      FPropPath = path;
      FAncestor = ancestor;
    });
  }

  std::vector<Byte> FBuffer;
  String FPropPath;
  TComponent* FRootAncestor = nullptr;
};

// Integer properties whose values have names (colours, cursors): the stream writes the
// name where there is one and reads either.
void RegisterIntegerConsts(PTypeInfo type, std::vector<std::pair<Int64, String>> names);
bool IdentToInt(PTypeInfo type, std::string_view ident, Int64& value);
bool IntToIdent(PTypeInfo type, Int64 value, String& ident);

// The component named by a dotted path from root ("Panel1.Button1"; "Owner" is the root).
TComponent* FindNestedComponent(TComponent* root, std::string_view namePath);
// Roots that references of other roots may name ("Form2.Button1"); forms register here.
void RegisterGlobalComponent(TComponent* root);
void UnregisterGlobalComponent(TComponent* root);
TComponent* FindGlobalComponent(std::string_view name);

}  // namespace xel
