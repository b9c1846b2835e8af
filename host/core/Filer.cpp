#include "Filer.h"

#include <cmath>
#include <cstring>
#include <mutex>

#include "Collection.h"
#include "ClassRegistry.h"
#include "Format.h"
#include "StringList.h"

namespace xel {

// ---- extended floats ---------------------------------------------------------------------------

void ExtendedToBytes(long double value, Byte out[10]) {
  std::memset(out, 0, 10);
  bool neg = std::signbit(value);
  std::uint64_t mant = 0;
  int exp = 0;  // biased
  if (std::isnan(value)) {
    exp = 0x7FFF;
    mant = 0xC000000000000000ull;
  } else if (std::isinf(value)) {
    exp = 0x7FFF;
    mant = 0x8000000000000000ull;
  } else if (value != 0) {
    int e;
    long double m = std::frexp(std::fabs(value), &e);  // m in [0.5, 1)
    exp = e - 1 + 16383;
    if (exp <= 0) {  // denormal: shift the mantissa down
      m = std::ldexp(m, exp - 1);
      exp = 0;
    }
    mant = static_cast<std::uint64_t>(std::ldexp(m, 64));
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<Byte>(mant >> (8 * i));
  out[8] = static_cast<Byte>(exp & 0xFF);
  out[9] = static_cast<Byte>(((exp >> 8) & 0x7F) | (neg ? 0x80 : 0));
}

long double BytesToExtended(const Byte in[10]) {
  std::uint64_t mant = 0;
  for (int i = 0; i < 8; ++i) mant |= static_cast<std::uint64_t>(in[i]) << (8 * i);
  int exp = in[8] | ((in[9] & 0x7F) << 8);
  bool neg = (in[9] & 0x80) != 0;
  long double v;
  if (exp == 0x7FFF) {
    v = (mant << 1) == 0 ? HUGE_VALL : NAN;
  } else if (exp == 0) {
    v = std::ldexp(static_cast<long double>(mant), -16382 - 63);
  } else {
    v = std::ldexp(static_cast<long double>(mant), exp - 16383 - 63);
  }
  return neg ? -v : v;
}

// ---- integer identifiers and global components ----------------------------------------------------

namespace {

struct TIntConsts {
  PTypeInfo Type;
  std::vector<std::pair<Int64, String>> Names;
};

std::mutex& ConstsLock() {
  static std::mutex m;
  return m;
}
std::vector<TIntConsts>& IntConsts() {
  static std::vector<TIntConsts> v;
  return v;
}
std::vector<TComponent*>& GlobalComponents() {
  static std::vector<TComponent*> v;
  return v;
}

}  // namespace

void RegisterIntegerConsts(PTypeInfo type, std::vector<std::pair<Int64, String>> names) {
  std::lock_guard<std::mutex> lock(ConstsLock());
  IntConsts().push_back({type, std::move(names)});
}

bool IdentToInt(PTypeInfo type, std::string_view ident, Int64& value) {
  std::lock_guard<std::mutex> lock(ConstsLock());
  for (auto& c : IntConsts())
    if (c.Type == type)
      for (auto& [v, n] : c.Names)
        if (SameText(n, ident)) {
          value = v;
          return true;
        }
  return false;
}

bool IntToIdent(PTypeInfo type, Int64 value, String& ident) {
  std::lock_guard<std::mutex> lock(ConstsLock());
  for (auto& c : IntConsts())
    if (c.Type == type)
      for (auto& [v, n] : c.Names)
        if (v == value) {
          ident = n;
          return true;
        }
  return false;
}

void RegisterGlobalComponent(TComponent* root) {
  std::lock_guard<std::mutex> lock(ConstsLock());
  GlobalComponents().push_back(root);
}

void UnregisterGlobalComponent(TComponent* root) {
  std::lock_guard<std::mutex> lock(ConstsLock());
  std::erase(GlobalComponents(), root);
}

TComponent* FindGlobalComponent(std::string_view name) {
  std::lock_guard<std::mutex> lock(ConstsLock());
  for (TComponent* c : GlobalComponents())
    if (SameText(c->Name(), name)) return c;
  return nullptr;
}

TComponent* FindNestedComponent(TComponent* root, std::string_view namePath) {
  if (!root || namePath.empty()) return nullptr;
  TComponent* current = root;
  while (!namePath.empty()) {
    size_t dot = namePath.find('.');
    std::string_view part = namePath.substr(0, dot);
    TComponent* found = current->FindComponent(part);
    if (!found && SameText(part, "Owner")) found = current;
    if (!found) return nullptr;
    current = found;
    namePath = dot == std::string_view::npos ? std::string_view() : namePath.substr(dot + 1);
  }
  return current;
}

// ---- TReader -----------------------------------------------------------------------------------

TReader::TReader(TStream* stream) : TFiler(stream), FBuffer(4096) {
  const Int64 start = stream->Position();
  FStreamLeft = stream->Size() - start;
  if (FStreamLeft < 0) FStreamLeft = 0;
  FStreamEnd = start + FStreamLeft;
}

TReader::~TReader() {
  // Give back what was buffered but not read, so the stream stands right after the data.
  Int64 unread = static_cast<Int64>(FBufEnd - FBufPos);
  if (unread > 0) {
    try {
      FStream->Seek(-unread, soCurrent);
    } catch (...) {
    }
  }
}

Int64 TReader::Left() const { return FStreamLeft + static_cast<Int64>(FBufEnd - FBufPos); }

void TReader::FormatError() { throw EReadError("Invalid stream format"); }

void TReader::Need(Int64 count) const {
  if (count < 0 || count > Left()) {
    FStreamEnded = true;
    throw EReadError("Stream read error");
  }
}

void TReader::Fill() {
  size_t keep = FBufEnd - FBufPos;
  std::memmove(FBuffer.data(), FBuffer.data() + FBufPos, keep);
  FBufPos = 0;
  FBufEnd = keep;
  Int64 want = static_cast<Int64>(FBuffer.size() - keep);
  if (want > FStreamLeft) want = FStreamLeft;
  if (want > 0) {
    Int64 got = FStream->Read(FBuffer.data() + keep, want);
    if (got < want) FStreamLeft = got;  // the stream was shorter than it said
    FStreamLeft -= got;
    FBufEnd += static_cast<size_t>(got);
  }
}

void TReader::Read(void* buffer, Int64 count) {
  Need(count);
  auto* out = static_cast<Byte*>(buffer);
  while (count > 0) {
    if (FBufPos == FBufEnd) {
      Fill();
      if (FBufPos == FBufEnd) Need(count + 1);  // the stream was shorter than it said
    }
    size_t n = FBufEnd - FBufPos;
    if (static_cast<Int64>(n) > count) n = static_cast<size_t>(count);
    std::memcpy(out, FBuffer.data() + FBufPos, n);
    FBufPos += n;
    out += n;
    count -= static_cast<Int64>(n);
  }
}

void TReader::SeekTo(Int64 position) {
  const Int64 bufferEnd = FStreamEnd - FStreamLeft;
  const Int64 bufferStart = bufferEnd - static_cast<Int64>(FBufEnd);
  if (position >= bufferStart && position <= bufferEnd) {
    FBufPos = static_cast<size_t>(position - bufferStart);
    return;
  }
  FStream->Seek(position, soBeginning);
  FBufPos = FBufEnd = 0;
  FStreamLeft = FStreamEnd - position;
}

void TReader::Enter() {
  if (++FDepth > MaxDepth) {
    --FDepth;
    throw EReadError("Stream nesting too deep");
  }
}

TValueType TReader::ReadValue() {
  Byte b;
  Read(&b, 1);
  if (b > vaUTF8String) FormatError();
  return static_cast<TValueType>(b);
}

// The next byte as a tag, not consumed and not checked: before a component it may be
// the prefix byte, which is no tag.
TValueType TReader::NextValue() {
  Byte b;
  Read(&b, 1);
  --FBufPos;  // the byte is still in the buffer: Read just consumed it from there
  return static_cast<TValueType>(b);
}

void TReader::CheckValue(TValueType value) {
  if (ReadValue() != value) {
    --FBufPos;
    SkipValue();
    PropValueError();
  }
}

bool TReader::EndOfList() { return NextValue() == vaNull; }
void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

void TReader::ReadSignature() {
  char sig[4];
  if (Left() < 4) FormatError();
  Read(sig, 4);
  if (std::memcmp(sig, "TPF0", 4) != 0) FormatError();
}

void TReader::ReadPrefix(Byte& flags, Integer& childPos) {
  flags = 0;
  childPos = 0;
  Byte b;
  Read(&b, 1);
  if ((b & 0xF0) == 0xF0) {
    flags = b & 0x0F;
    if (flags & ffChildPos) childPos = ReadInteger();
  } else {
    --FBufPos;
  }
}

String TReader::ReadStr() {
  Byte len;
  Read(&len, 1);
  String s(len, '\0');
  Read(s.data(), len);
  return s;
}

Integer TReader::ReadInteger() {
  switch (ReadValue()) {
    case vaInt8: {
      std::int8_t v;
      Read(&v, 1);
      return v;
    }
    case vaInt16: {
      Byte b[2];
      Read(b, 2);
      return static_cast<std::int16_t>(b[0] | (b[1] << 8));
    }
    case vaInt32: {
      Byte b[4];
      Read(b, 4);
      return static_cast<Integer>(static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                                  (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24));
    }
    default:
      --FBufPos;
      PropValueError();
  }
}

Int64 TReader::ReadInt64() {
  if (NextValue() == vaInt64) {
    ReadValue();
    Byte b[8];
    Read(b, 8);
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(b[i]) << (8 * i);
    return static_cast<Int64>(v);
  }
  return ReadInteger();
}

bool TReader::ReadBoolean() {
  TValueType v = ReadValue();
  if (v != vaTrue && v != vaFalse) {
    --FBufPos;
    PropValueError();
  }
  return v == vaTrue;
}

char TReader::ReadChar() {
  String s = ReadString();
  if (s.size() != 1) PropValueError();
  return s[0];
}

long double TReader::ReadFloat() {
  switch (NextValue()) {
    case vaExtended: {
      ReadValue();
      Byte b[10];
      Read(b, 10);
      return BytesToExtended(b);
    }
    case vaSingle: return ReadSingle();
    case vaCurrency: return static_cast<long double>(ReadCurrency().Scaled) / 10000.0L;
    case vaDate: return ReadDate().Value();
    case vaInt64: return static_cast<long double>(ReadInt64());
    default: return ReadInteger();
  }
}

float TReader::ReadSingle() {
  CheckValue(vaSingle);
  float f;
  Read(&f, 4);
  return f;
}

Currency TReader::ReadCurrency() {
  CheckValue(vaCurrency);
  Int64 v;
  Read(&v, 8);
  return Currency::FromScaled(v);
}

TDateTime TReader::ReadDate() {
  CheckValue(vaDate);
  double d;
  Read(&d, 8);
  return TDateTime(d);
}

namespace {
std::uint32_t ReadU32(TReader& r) {
  Byte b[4];
  r.Read(b, 4);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}
}  // namespace

String TReader::ReadString() {
  switch (ReadValue()) {
    case vaString: {
      Byte len;
      Read(&len, 1);
      String s(len, '\0');
      Read(s.data(), len);
      return s;
    }
    case vaLString:
    case vaUTF8String: {
      std::uint32_t len = ReadU32(*this);
      Need(len);
      String s(len, '\0');
      Read(s.data(), len);
      return s;
    }
    case vaWString: {
      --FBufPos;
      return WideToUtf8(ReadWideString());
    }
    default:
      --FBufPos;
      PropValueError();
  }
}

WideString TReader::ReadWideString() {
  if (NextValue() != vaWString) return Utf8ToWide(ReadString());
  ReadValue();
  std::uint32_t len = ReadU32(*this);
  if (len > static_cast<std::uint64_t>(Left()) / 2) Need(Int64(len) * 2);
  std::vector<Byte> raw(static_cast<size_t>(len) * 2);
  Read(raw.data(), static_cast<Int64>(raw.size()));
  WideString w(len, u'\0');
  for (size_t i = 0; i < len; ++i) w[i] = static_cast<char16_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
  return w;
}

String TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default:
      --FBufPos;
      PropValueError();
  }
}

Variant TReader::ReadVariant() {
  switch (NextValue()) {
    case vaNil: ReadValue(); return Variant();
    case vaNull: ReadValue(); return Variant::Null();
    case vaInt8:
    case vaInt16: return Variant(static_cast<SmallInt>(ReadInteger()));
    case vaInt32: return Variant(ReadInteger());
    case vaInt64: return Variant(ReadInt64());
    case vaExtended: return Variant(static_cast<double>(ReadFloat()));
    case vaSingle: return Variant(ReadSingle());
    case vaCurrency: return Variant(ReadCurrency());
    case vaDate: return Variant(ReadDate());
    case vaString:
    case vaLString:
    case vaUTF8String: return Variant(ReadString());
    case vaWString: return Variant(ReadWideString());
    case vaFalse:
    case vaTrue: return Variant(ReadValue() == vaTrue);
    default: PropValueError();
  }
}

std::uint32_t TReader::ReadSet(PTypeInfo setType) {
  CheckValue(vaSet);
  PTypeInfo elem = setType ? setType->Data.CompType : nullptr;
  std::uint32_t bits = 0;
  for (;;) {
    String name = ReadStr();
    if (name.empty()) break;
    Int64 v = GetEnumValue(elem, name);
    if (v < 0 || v > 31) PropValueError();
    bits |= 1u << v;
  }
  return bits;
}

String TReader::FramePath() const {
  String path;
  for (const TFrame& f : FFrames) {
    if (f.Index >= 0) {
      path += "[" + IntToStr(f.Index) + "]";
      continue;
    }
    // A name cut short by the end of the stream adds nothing.
    const String& name = f.Name->empty() && f.ClassName ? "<" + *f.ClassName + ">" : *f.Name;
    if (name.empty()) continue;
    if (!path.empty()) path += '.';
    path += name;
  }
  return path;
}

TReader::TReadPlace TReader::CurrentPlace() const {
  int components = 0;
  for (const TFrame& f : FFrames)
    if (f.ClassName) ++components;
  return {FramePath(), FFrames.empty() ? Position() : FFrames.back().Position, components};
}

void TReader::NoteError() {
  if (FErrorNoted) return;
  FErrorNoted = true;
  FErrorPlace = CurrentPlace();
}

const std::vector<TReader::TReferenceFixup>& TReader::PendingReferences() const {
  static const std::vector<TReferenceFixup> none;
  return FFixups ? *FFixups : none;
}

void TReader::PropValueError() { throw EReadError("Invalid property value"); }

void TReader::PropertyError(const String& name) { throw EReadError(Format("Property %s does not exist", {name})); }

bool TReader::Error(const String& message) {
  bool handled = false;
  OnError(this, message, handled);
  return handled;
}

void TReader::SkipValue() {
  Enter();
  switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      break;
    case vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      break;
    case vaInt8: { Byte b[1]; Read(b, 1); break; }
    case vaInt16: { Byte b[2]; Read(b, 2); break; }
    case vaInt32:
    case vaSingle: { Byte b[4]; Read(b, 4); break; }
    case vaCurrency:
    case vaDate:
    case vaInt64: { Byte b[8]; Read(b, 8); break; }
    case vaExtended: { Byte b[10]; Read(b, 10); break; }
    case vaString:
    case vaIdent: ReadStr(); break;
    case vaBinary:
    case vaLString:
    case vaUTF8String: {
      std::uint32_t n = ReadU32(*this);
      Need(n);
      std::vector<Byte> skip(n < 65536 ? n : 65536);
      while (n > 0) {
        std::uint32_t k = n < skip.size() ? n : static_cast<std::uint32_t>(skip.size());
        Read(skip.data(), k);
        n -= k;
      }
      break;
    }
    case vaWString: {
      std::uint32_t n = ReadU32(*this);
      if (n > static_cast<std::uint64_t>(Left()) / 2) Need(Int64(n) * 2);
      std::vector<Byte> skip(static_cast<size_t>(n) * 2);
      Read(skip.data(), static_cast<Int64>(skip.size()));
      break;
    }
    case vaSet:
      while (!ReadStr().empty()) {
      }
      break;
    case vaCollection:
      while (!EndOfList()) {
        TValueType v = NextValue();
        if (v == vaInt8 || v == vaInt16 || v == vaInt32) ReadInteger();
        CheckValue(vaList);
        while (!EndOfList()) SkipProperty();
        ReadListEnd();
      }
      ReadListEnd();
      break;
  }
  Leave();
}

void TReader::SkipProperty() {
  ReadStr();
  SkipValue();
}

void TReader::SkipComponent(bool skipHeader) {
  Enter();
  if (skipHeader) {
    Byte flags;
    Integer pos;
    ReadPrefix(flags, pos);
    ReadStr();
    ReadStr();
  }
  while (!EndOfList()) SkipProperty();
  ReadListEnd();
  while (!EndOfList()) SkipComponent(true);
  ReadListEnd();
  Leave();
}

void TReader::DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc&, bool) {
  if (!FPropName.empty() && readData && SameText(name, FPropName)) {
    readData(this);
    FPropName.clear();
  }
}

void TReader::DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc&, bool) {
  if (FPropName.empty() || !readData || !SameText(name, FPropName)) return;
  if (ReadValue() != vaBinary) {
    --FBufPos;
    SkipValue();
    FCanHandleExcepts = true;
    PropValueError();
  }
  std::uint32_t count = ReadU32(*this);
  Need(count);
  TMemoryStream data;
  data.SetSize(count);
  Read(data.Memory(), count);
  data.SetPosition(0);
  FCanHandleExcepts = true;
  readData(&data);
  FPropName.clear();
}

void TReader::ReadPropValue(TPersistent* instance, PPropInfo prop) {
  if (!prop->Writable() && prop->Kind() != tkClass) throw EReadError("Property is read-only");
  PTypeInfo type = prop->PropType();
  switch (prop->Kind()) {
    case tkInteger:
      if (NextValue() == vaIdent) {
        String ident = ReadIdent();
        Int64 v;
        if (!IdentToInt(type, ident, v)) PropValueError();
        prop->SetOrd(instance, v);
      } else {
        prop->SetOrd(instance, ReadInteger());
      }
      break;
    case tkChar:
      prop->SetOrd(instance, static_cast<unsigned char>(ReadChar()));
      break;
    case tkWChar: {
      WideString w = ReadWideString();
      if (w.size() != 1) PropValueError();
      prop->SetOrd(instance, w[0]);
      break;
    }
    case tkEnumeration: {
      Int64 v = GetEnumValue(type, ReadIdent());
      if (v < 0) PropValueError();
      prop->SetOrd(instance, v);
      break;
    }
    case tkFloat:
      prop->SetFloat(instance, ReadFloat());
      break;
    case tkString:
    case tkLString:
    case tkWString:
      prop->SetStr(instance, ReadString());
      break;
    case tkSet:
      prop->SetOrd(instance, ReadSet(type));
      break;
    case tkClass:
      switch (NextValue()) {
        case vaNil:
          ReadValue();
          if (!prop->Writable()) throw EReadError("Property is read-only");
          prop->SetOrd(instance, 0);
          break;
        case vaCollection: {
          ReadValue();
          auto* coll = dynamic_cast<TCollection*>(GetObjectProp(instance, prop));
          if (!coll) PropValueError();
          ReadCollection(coll);
          break;
        }
        default: {
          String name = ReadIdent();
          if (!prop->Writable()) throw EReadError("Property is read-only");
          if (!FFixups) PropValueError();
          FFixups->push_back({instance, prop, name, CurrentPlace()});
        }
      }
      break;
    case tkMethod:
      if (NextValue() == vaNil) {
        ReadValue();
        prop->SetMethod(instance, TMethod{});
      } else {
        String name = ReadIdent();
        TMethod m = MethodAddress(FRoot, name);
        bool error = !m.Assigned();
        OnFindMethod(this, name, m, error);
        if (error) throw EReadError(Format("Method %s not found", {name}));
        if (m.Assigned()) prop->SetMethod(instance, m);
      }
      break;
    case tkVariant:
      prop->SetVariant(instance, ReadVariant());
      break;
    case tkInt64:
      prop->SetInt64(instance, ReadInt64());
      break;
    default:
      PropValueError();
  }
}

void TReader::ReadProperty(TPersistent* instance) {
  String path;
  TFrameScope frame(this, &path);
  Int64 valueAt = -1;
  try {
    path = ReadStr();
    valueAt = Position();
    try {
      TPersistent* target = instance;
      size_t start = 0;
      FCanHandleExcepts = true;
      for (;;) {
        size_t dot = path.find('.', start);
        FPropName = path.substr(start, dot == String::npos ? String::npos : dot - start);
        if (dot == String::npos) break;
        PPropInfo p = GetPropInfo(target, FPropName);
        if (!p) {
          SkipValue();
          PropertyError(FPropName);
        }
        auto* sub = p->Kind() == tkClass ? dynamic_cast<TPersistent*>(GetObjectProp(target, p)) : nullptr;
        if (!sub) {
          SkipValue();
          PropertyError(FPropName);
        }
        target = sub;
        start = dot + 1;
      }
      PPropInfo p = GetPropInfo(target, FPropName);
      if (p) {
        ReadPropValue(target, p);
      } else {
        // A value that reading a defined property left half read cannot be skipped reliably.
        FCanHandleExcepts = false;
        target->DefineProperties(this);
        FCanHandleExcepts = true;
        if (!FPropName.empty()) {
          String name = FPropName;
          SkipValue();
          PropertyError(name);
        }
      }
    } catch (const Exception& e) {
      String name;
      if (auto* c = dynamic_cast<TComponent*>(instance)) name = c->Name();
      if (name.empty()) name = instance->ClassName();
      throw EReadError(Format("Error reading %s.%s: %s", {name, path, e.Message()}));
    }
  } catch (const Exception& e) {
    NoteError();
    if (!FCanHandleExcepts || FStreamEnded || !Error(e.Message())) throw;
    ErrorHandled();
    // Reading goes on after the value, however much of it the error left unread.
    if (valueAt >= 0) {
      SeekTo(valueAt);
      SkipValue();
    }
  }
}

void TReader::ReadCollection(TCollection* collection) {
  Enter();
  collection->BeginUpdate();
  TFinally done([&] {
    collection->EndUpdate();
    Leave();
  });
  // Always cleared, also for an empty collection: what was written empty reads back empty.
  collection->Clear();
  for (int index = 0; !EndOfList(); ++index) {
    TFrameScope frame(this, nullptr, nullptr, index);
    try {
      TValueType v = NextValue();
      if (v == vaInt8 || v == vaInt16 || v == vaInt32) ReadInteger();
      TCollectionItem* item = collection->Add();
      ReadListBegin();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
    } catch (const Exception&) {
      NoteError();
      throw;
    }
  }
  ReadListEnd();
}

void TReader::ReadDataInner(TComponent* instance) {
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
  TFinally restore([this, oldParent = FParent, oldOwner = FOwner] {
    FParent = oldParent;
    FOwner = oldOwner;
  });
  FParent = instance->GetChildParent();
  FOwner = instance->GetChildOwner();
  if (!FOwner) FOwner = FRoot;
  while (!EndOfList()) ReadComponent(nullptr);
  ReadListEnd();
}

void TReader::ReadData(TComponent* instance) {
  if (FFixups) {
    ReadDataInner(instance);
    return;
  }
  std::vector<TFixup> fixups;
  FFixups = &fixups;
  TFinally done([this] { FFixups = nullptr; });
  ReadDataInner(instance);
  DoFixupReferences();
}

void TReader::DoFixupReferences() {
  for (const TFixup& f : *FFixups) {
    TComponent* ref = FindNestedComponent(FRoot, f.Name);
    if (!ref) {
      // "Form2.Button1": the first part may name another root.
      size_t dot = f.Name.find('.');
      String first = f.Name.substr(0, dot);
      TComponent* other = SameText(first, FRoot->Name()) ? FRoot : FindGlobalComponent(first);
      if (other) ref = dot == String::npos ? other : FindNestedComponent(other, f.Name.substr(dot + 1));
    }
    if (ref) {
      SetObjectProp(f.Instance, f.Prop, ref);
    } else {
      String owner = f.Instance->GetNamePath();
      FUnresolved.push_back(owner + "." + f.Prop->Name() + "=" + f.Name);
      FUnresolvedPlaces.push_back(f.Place);
    }
  }
}

TComponent* TReader::ReadComponent(TComponent* component) {
  String className, compName;
  TFrameScope frame(this, &compName, &className);
  Enter();
  Byte flags;
  Integer position;
  try {
    ReadPrefix(flags, position);
    className = ReadStr();
    compName = ReadStr();
  } catch (const Exception&) {
    NoteError();
    Leave();
    throw;
  }
  TComponent* result = component;
  bool created = false;
  try {
    if (!result) {
      if (flags & ffInherited) {
        result = FOwner ? FOwner->FindComponent(compName) : nullptr;
        if (!result) throw EReadError(Format("Ancestor for '%s' not found", {compName}));
      } else {
        TClass cls = GetClass(className);
        OnFindComponentClass(this, className, cls);
        if (!cls) throw EClassNotFound(Format(SConst::ClassNotFound, {className}));
        if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
          throw EReadError(Format("Class %s is not a component", {className}));
        result = CreateComponent(cls, FOwner);
        created = true;
      }
    }
    result->IncludeState(csLoading);
    if (!(flags & ffInherited)) {
      String name = compName;
      OnSetName(this, result, name);
      result->SetName(name);
    }
    // Controls and menu items join the component they are written inside.
    if (FParent && result->HasParent() && result->GetParentComponent() != FParent) result->SetParentComponent(FParent);
    result->IncludeState(csReading);
    result->ReadState(this);
    result->ExcludeState(csReading);
    if ((flags & ffChildPos) && FParent) FParent->SetChildOrder(result, position);
    // A component made here is new to the list; only one that existed can be in it already.
    if (FLoaded && (created || std::find(FLoaded->begin(), FLoaded->end(), result) == FLoaded->end()))
      FLoaded->push_back(result);
  } catch (const Exception& e) {
    NoteError();
    if (created) {
      if (FLoaded) std::erase(*FLoaded, result);
      delete result;
    }
    Leave();
    // A component whose class is unknown is skipped when the error handler says so.
    if (!result && !FStreamEnded && dynamic_cast<const EClassNotFound*>(&e) && Error(e.Message())) {
      ErrorHandled();
      SkipComponent(false);
      return nullptr;
    }
    throw;
  }
  Leave();
  return result;
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  String className, name;
  TFrameScope frame(this, &name, &className);
  Byte flags;
  Integer pos;
  try {
    ReadSignature();
    FFrames.back().Position = Position();
    ReadPrefix(flags, pos);
    className = ReadStr();
    name = ReadStr();
  } catch (const Exception&) {
    NoteError();
    throw;
  }
  TComponent* result = root;
  bool created = false;
  std::vector<TComponent*> loaded;
  try {
    if (!result) {
      TClass cls = GetClass(className);
      OnFindComponentClass(this, className, cls);
      if (!cls) throw EClassNotFound(Format(SConst::ClassNotFound, {className}));
      if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
        throw EReadError(Format("Class %s is not a component", {className}));
      result = CreateComponent(cls, nullptr);
      created = true;
      result->SetName(name);
    } else if (!result->ComponentState().Contains(csDesigning)) {
      result->SetName(name);
    }
    FRoot = result;
    FLookupRoot = result;
    FOwner = result;
    FLoaded = &loaded;
    loaded.push_back(result);
    result->IncludeState(csLoading);
    // Controls and menu items join the component they are written inside.
    if (FParent && result->HasParent() && result->GetParentComponent() != FParent) result->SetParentComponent(FParent);
    result->IncludeState(csReading);
    result->ReadState(this);
    result->ExcludeState(csReading);
    FLoaded = nullptr;
    for (TComponent* c : loaded) c->Loaded();
  } catch (...) {
    NoteError();
    FLoaded = nullptr;
    if (created) delete result;
    else if (result) {
      result->ExcludeState(csReading);
      result->ExcludeState(csLoading);
    }
    throw;
  }
  return result;
}

// ---- TWriter -----------------------------------------------------------------------------------

TWriter::TWriter(TStream* stream) : TFiler(stream) { FBuffer.reserve(4096); }

TWriter::~TWriter() {
  try {
    FlushBuffer();
  } catch (...) {
  }
}

void TWriter::FlushBuffer() {
  if (FBuffer.empty()) return;
  std::vector<Byte> data;
  data.swap(FBuffer);
  FStream->WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void TWriter::Write(const void* buffer, Int64 count) {
  const auto* p = static_cast<const Byte*>(buffer);
  FBuffer.insert(FBuffer.end(), p, p + count);
  if (FBuffer.size() >= 65536) FlushBuffer();
}

void TWriter::WriteValue(TValueType value) {
  Byte b = static_cast<Byte>(value);
  Write(&b, 1);
}

void TWriter::WriteSignature() { Write("TPF0", 4); }

void TWriter::WritePrefix(Byte flags, Integer childPos) {
  if (!flags) return;
  Byte b = 0xF0 | flags;
  Write(&b, 1);
  if (flags & ffChildPos) WriteInteger(childPos);
}

void TWriter::WriteStr(std::string_view s) {
  if (s.size() > 255) throw EWriteError(Format("Name too long for the stream: %s", {String(s.substr(0, 64))}));
  Byte len = static_cast<Byte>(s.size());
  Write(&len, 1);
  Write(s.data(), len);
}

namespace {
void PutLE(TWriter& w, std::uint64_t v, int bytes) {
  Byte b[8];
  for (int i = 0; i < bytes; ++i) b[i] = static_cast<Byte>(v >> (8 * i));
  w.Write(b, bytes);
}
}  // namespace

void TWriter::WriteInteger(Int64 value) {
  if (value >= -128 && value <= 127) {
    WriteValue(vaInt8);
    PutLE(*this, static_cast<std::uint64_t>(value), 1);
  } else if (value >= -32768 && value <= 32767) {
    WriteValue(vaInt16);
    PutLE(*this, static_cast<std::uint64_t>(value), 2);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    PutLE(*this, static_cast<std::uint64_t>(value), 4);
  } else {
    WriteValue(vaInt64);
    PutLE(*this, static_cast<std::uint64_t>(value), 8);
  }
}

void TWriter::WriteChar(char value) { WriteString(std::string_view(&value, 1)); }

void TWriter::WriteFloat(long double value) {
  WriteValue(vaExtended);
  Byte b[10];
  ExtendedToBytes(value, b);
  Write(b, 10);
}

void TWriter::WriteSingle(float value) {
  WriteValue(vaSingle);
  Write(&value, 4);
}

void TWriter::WriteCurrency(Currency value) {
  WriteValue(vaCurrency);
  PutLE(*this, static_cast<std::uint64_t>(value.Scaled), 8);
}

void TWriter::WriteDate(TDateTime value) {
  WriteValue(vaDate);
  double d = value.Value();
  Write(&d, 8);
}

void TWriter::WriteString(std::string_view value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    Byte len = static_cast<Byte>(value.size());
    Write(&len, 1);
  } else {
    WriteValue(vaLString);
    PutLE(*this, value.size(), 4);
  }
  Write(value.data(), static_cast<Int64>(value.size()));
}

void TWriter::WriteWideString(const WideString& value) {
  WriteValue(vaWString);
  PutLE(*this, value.size(), 4);
  for (char16_t c : value) PutLE(*this, c, 2);
}

void TWriter::WriteIdent(std::string_view ident) {
  if (SameText(ident, "False")) WriteValue(vaFalse);
  else if (SameText(ident, "True")) WriteValue(vaTrue);
  else if (SameText(ident, "Null")) WriteValue(vaNull);
  else if (SameText(ident, "nil")) WriteValue(vaNil);
  else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TWriter::WriteVariant(const Variant& value) {
  switch (value.VarType()) {
    case varEmpty: WriteValue(vaNil); break;
    case varNull: WriteValue(vaNull); break;
    case varOleStr: WriteWideString(value.AsWideString()); break;
    case varString: WriteString(value.RawString()); break;
    case varByte:
    case varSmallint:
    case varInteger: WriteInteger(value.AsInteger()); break;
    case varSingle: WriteSingle(static_cast<float>(value.AsFloat())); break;
    case varDouble: WriteFloat(value.AsFloat()); break;
    case varCurrency: WriteCurrency(value.AsCurrency()); break;
    case varDate: WriteDate(value.AsDateTime()); break;
    case varBoolean: WriteBoolean(value.AsBoolean()); break;
    default: throw EWriteError("Stream write error");
  }
}

void TWriter::WriteBinary(const TStreamProc& writeData) {
  TMemoryStream data;
  writeData(&data);
  WriteValue(vaBinary);
  PutLE(*this, static_cast<std::uint64_t>(data.Size()), 4);
  Write(data.Memory(), data.Size());
}

void TWriter::WritePropName(std::string_view name) { WriteStr(FPropPath + String(name)); }

void TWriter::DefineProperty(const String& name, const TReaderProc&, const TWriterProc& writeData, bool hasData) {
  if (hasData && writeData) {
    WritePropName(name);
    writeData(this);
  }
}

void TWriter::DefineBinaryProperty(const String& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
  if (hasData && writeData) {
    WritePropName(name);
    WriteBinary(writeData);
  }
}

void TWriter::WriteCollection(TCollection* collection) {
  WriteValue(vaCollection);
  {
    auto restore = KeepPathAndAncestor();
    FPropPath.clear();
    auto* ancestorColl = dynamic_cast<TCollection*>(FAncestor);
    for (int i = 0; collection && i < collection->Count(); ++i) {
      FAncestor = ancestorColl && i < ancestorColl->Count() ? ancestorColl->Items(i) : nullptr;
      WriteListBegin();
      WriteProperties(collection->Items(i));
      WriteListEnd();
    }
  }
  WriteListEnd();
}

String TWriter::ComponentValue(TComponent* component) const {
  if (component->Owner() == FLookupRoot) return component->Name();
  if (component == FLookupRoot) return "Owner";
  if (component->Owner() && !component->Owner()->Name().empty() && !component->Name().empty())
    return component->Owner()->Name() + "." + component->Name();
  if (!component->Name().empty()) return component->Name() + ".Owner";
  return {};
}

void TWriter::WriteProperty(TPersistent* instance, PPropInfo prop) {
  if (!prop->Writable() && prop->Kind() != tkClass) return;
  PTypeInfo type = prop->PropType();
  TPersistent* ancestor = FAncestor;
  bool hasAncestor = ancestor && ancestor->InheritsFrom(prop->DeclaringClass());
  switch (prop->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      if (!prop->Writable()) return;
      Int64 value = prop->GetOrd(instance);
      bool isDefault = hasAncestor ? value == prop->GetOrd(ancestor) : value == prop->Default();
      if (isDefault) return;
      WritePropName(prop->Name());
      switch (prop->Kind()) {
        case tkInteger: {
          String ident;
          if (IntToIdent(type, value, ident)) WriteIdent(ident);
          else WriteInteger(value);
          break;
        }
        case tkChar: WriteChar(static_cast<char>(value)); break;
        case tkWChar: WriteWideString(WideString(1, static_cast<char16_t>(value))); break;
        case tkSet: {
          WriteValue(vaSet);
          for (int i = 0; i < 32; ++i)
            if (value & (Int64(1) << i)) WriteStr(GetEnumName(type->Data.CompType, i));
          WriteStr("");
          break;
        }
        default: WriteIdent(GetEnumName(type, value));
      }
      break;
    }
    case tkFloat: {
      long double value = prop->GetFloat(instance);
      long double def = hasAncestor ? prop->GetFloat(ancestor) : 0;
      if (value == def) return;
      WritePropName(prop->Name());
      WriteFloat(value);
      break;
    }
    case tkString:
    case tkLString:
    case tkWString: {
      String value = prop->GetStr(instance);
      bool isDefault = hasAncestor ? value == prop->GetStr(ancestor) : value.empty();
      if (isDefault) return;
      WritePropName(prop->Name());
      WriteString(value);
      break;
    }
    case tkInt64: {
      Int64 value = prop->GetInt64(instance);
      if (value == (hasAncestor ? prop->GetInt64(ancestor) : 0)) return;
      WritePropName(prop->Name());
      WriteInteger(value);
      break;
    }
    case tkMethod: {
      TMethod value = prop->GetMethod(instance);
      void* def = hasAncestor ? prop->GetMethod(ancestor).Code : nullptr;
      if (value.Code == def) return;
      WritePropName(prop->Name());
      if (!value.Code) {
        WriteValue(vaNil);
      } else {
        String name = MethodName(FLookupRoot, value.Code);
        if (name.empty())
          throw EWriteError(Format("%s.%s: the event handler is not a published method of %s",
                                   {instance->ClassName(), prop->Name(),
                                    FLookupRoot ? FLookupRoot->ClassName() : String("the root")}));
        WriteIdent(name);
      }
      break;
    }
    case tkVariant: {
      Variant value = prop->GetVariant(instance);
      Variant def = hasAncestor ? prop->GetVariant(ancestor) : Variant();
      if (value.VarType() == def.VarType() && value == def) return;
      WritePropName(prop->Name());
      WriteVariant(value);
      break;
    }
    case tkClass: {
      TObject* value = GetObjectProp(instance, prop);
      TObject* def = hasAncestor ? GetObjectProp(ancestor, prop) : nullptr;
      if (!value) {
        if (def && prop->Writable()) {
          WritePropName(prop->Name());
          WriteValue(vaNil);
        }
        return;
      }
      if (auto* comp = dynamic_cast<TComponent*>(value)) {
        if (!prop->Writable()) return;
        auto* defComp = dynamic_cast<TComponent*>(def);
        // The ancestor's reference counts as the same when it names the same component.
        if (defComp && SameText(defComp->Name(), comp->Name())) return;
        String ref = ComponentValue(comp);
        if (ref.empty()) return;
        WritePropName(prop->Name());
        WriteIdent(ref);
      } else if (auto* coll = dynamic_cast<TCollection*>(value)) {
        WritePropName(prop->Name());
        auto restore = KeepPathAndAncestor();
        FAncestor = dynamic_cast<TCollection*>(def);
        WriteCollection(coll);
      } else if (auto* sub = dynamic_cast<TPersistent*>(value)) {
        auto restore = KeepPathAndAncestor();
        FPropPath += prop->Name() + ".";
        FAncestor = dynamic_cast<TPersistent*>(def);
        WriteProperties(sub);
      }
      break;
    }
    default:
      break;
  }
}

void TWriter::WriteProperties(TPersistent* instance) {
  for (PPropInfo p : instance->ClassType()->Props())
    if (p->IsStored(instance)) WriteProperty(instance, p);
  instance->DefineProperties(this);
}

void TWriter::WriteData(TComponent* instance) {
  auto* ancestor = dynamic_cast<TComponent*>(FAncestor);
  WritePrefix(ancestor ? ffInherited : 0, 0);
  WriteStr(instance->ClassName());
  WriteStr(instance->Name());
  WriteProperties(instance);
  WriteListEnd();
  if (!FIgnoreChildren) {
    TPersistent* saved = FAncestor;
    instance->GetChildren(
        [&](TComponent* child) {
          TComponent* childAncestor = nullptr;
          if (FRootAncestor) childAncestor = FRootAncestor->FindComponent(child->Name());
          FAncestor = childAncestor;
          WriteComponent(child);
          FAncestor = saved;
        },
        FRoot);
  }
  WriteListEnd();
}

void TWriter::WriteComponent(TComponent* component) {
  component->IncludeState(csWriting);
  TFinally done([component] { component->ExcludeState(csWriting); });
  component->WriteState(this);
}

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor) {
  FRootAncestor = ancestor;
  FAncestor = ancestor;
  FRoot = root;
  FLookupRoot = root;
  WriteSignature();
  WriteComponent(root);
  FlushBuffer();
}

}  // namespace xel
