#include "Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "Format.h"
#include "Streams.h"

namespace xel {

String RegistryStoreDir() {
  if (const char* d = std::getenv("XEL_REGISTRY_DIR"); d && *d) return ExcludeTrailingPathDelimiter(d);
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) return IncludeTrailingPathDelimiter(x) + "xel/registry";
  const char* home = std::getenv("HOME");
  return IncludeTrailingPathDelimiter(home && *home ? home : "/tmp") + ".config/xel/registry";
}

String RootKeyName(HKEY key) {
  switch (key) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER: return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS: return "HKEY_USERS";
    case HKEY_CURRENT_CONFIG: return "HKEY_CURRENT_CONFIG";
    default: throw ERegistryException(Format("Invalid root key $%x", {static_cast<Int64>(key)}));
  }
}

// ---- the store file ---------------------------------------------------------------------------

namespace {

String Unescape(std::string_view s, bool& ok) {
  String r;
  ok = true;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\') {
      if (i + 1 >= s.size()) {
        ok = false;
        return r;
      }
      char c = s[++i];
      r += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    } else {
      r += s[i];
    }
  }
  return r;
}

String Escape(std::string_view s) {
  String r;
  for (char c : s) {
    if (c == '\\' || c == '"') r += '\\';
    if (c == '\n') { r += "\\n"; continue; }
    if (c == '\r') { r += "\\r"; continue; }
    r += c;
  }
  return r;
}

// Reads "quoted" from text at i; false when malformed.
bool ReadQuoted(std::string_view text, size_t& i, String& out) {
  if (i >= text.size() || text[i] != '"') return false;
  size_t start = ++i;
  while (i < text.size() && text[i] != '"') {
    if (text[i] == '\\') ++i;
    ++i;
  }
  if (i >= text.size()) return false;
  bool ok;
  out = Unescape(text.substr(start, i - start), ok);
  ++i;
  return ok;
}

bool ParseHexList(std::string_view s, std::vector<Byte>& out) {
  out.clear();
  String t = Trim(s);
  if (t.empty()) return true;
  std::string_view rest(t);
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    String b = Trim(rest.substr(0, comma));
    Integer v;
    if (b.size() != 2 || !TryStrToInt("$" + b, v)) return false;
    out.push_back(static_cast<Byte>(v));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return true;
}

// Lines split at CR LF, CR or LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    lines.push_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
  return lines;
}

String HexList(const std::vector<Byte>& b) {
  String r;
  for (size_t i = 0; i < b.size(); ++i) {
    if (i) r += ',';
    r += LowerCase(IntToHex(b[i], 2));
  }
  return r;
}

}  // namespace

void TRegistryStore::Parse(std::string_view text, const String& rootName, const String& fileName) {
  Keys.clear();
  int lineNo = 0;
  TRegKey* current = nullptr;
  auto damaged = [&](const char* what) {
    return ERegistryException(
        xel::Format("The registry store %s is damaged (line %d: %s)", {fileName, lineNo, String(what)}));
  };
  bool header = false;
  for (std::string_view line : SplitLines(text)) {
    ++lineNo;
    String t = Trim(line);
    if (t.empty() || t[0] == ';') continue;
    if (!header) {
      if (t != "REGEDIT4") throw damaged("REGEDIT4 expected");
      header = true;
      continue;
    }
    if (t[0] == '[') {
      if (t.back() != ']') throw damaged("unterminated key");
      String path = t.substr(1, t.size() - 2);
      if (!SameText(path.substr(0, rootName.size()), rootName) ||
          (path.size() > rootName.size() && path[rootName.size()] != '\\'))
        throw damaged("key outside the root");
      path = path.size() > rootName.size() ? path.substr(rootName.size() + 1) : String();
      current = &EnsureKey(path);
      continue;
    }
    if (!current) throw damaged("value outside a key");
    TRegValue v;
    size_t i = 0;
    if (t[0] == '@') {
      i = 1;
    } else if (!ReadQuoted(t, i, v.Name)) {
      throw damaged("value name expected");
    }
    if (i >= t.size() || t[i] != '=') throw damaged("'=' expected");
    ++i;
    std::string_view data = std::string_view(t).substr(i);
    if (!data.empty() && data[0] == '"') {
      size_t k = 0;
      if (!ReadQuoted(data, k, v.Text) || k != data.size()) throw damaged("bad string");
      v.Type = rdString;
    } else if (data.substr(0, 6) == "dword:") {
      Int64 n;
      if (data.size() != 14 || !TryStrToInt64("$" + String(data.substr(6)), n)) throw damaged("bad dword");
      v.Type = rdInteger;
      v.Number = static_cast<std::uint32_t>(n);
    } else if (data.substr(0, 7) == "hex(2):") {
      std::vector<Byte> b;
      if (!ParseHexList(data.substr(7), b)) throw damaged("bad hex");
      v.Type = rdExpandString;
      while (!b.empty() && b.back() == 0) b.pop_back();
      v.Text.assign(b.begin(), b.end());
    } else if (data.substr(0, 4) == "hex:") {
      if (!ParseHexList(data.substr(4), v.Bytes)) throw damaged("bad hex");
      v.Type = rdBinary;
    } else {
      throw damaged("unknown value type");
    }
    bool replaced = false;
    for (TRegValue& old : current->Values)
      if (SameText(old.Name, v.Name)) {
        old = v;
        replaced = true;
      }
    if (!replaced) current->Values.push_back(std::move(v));
  }
  if (!header && !Trim(text).empty()) throw damaged("REGEDIT4 expected");
}

String TRegistryStore::Format(const String& rootName) const {
  String out = "REGEDIT4\r\n";
  for (const TRegKey& k : Keys) {
    out += "\r\n[" + rootName + (k.Path.empty() ? String() : "\\" + k.Path) + "]\r\n";
    for (const TRegValue& v : k.Values) {
      out += v.Name.empty() ? String("@") : "\"" + Escape(v.Name) + "\"";
      out += "=";
      switch (v.Type) {
        case rdInteger: out += "dword:" + LowerCase(IntToHex(v.Number, 8)); break;
        case rdBinary: out += "hex:" + HexList(v.Bytes); break;
        case rdExpandString: {
          std::vector<Byte> b(v.Text.begin(), v.Text.end());
          b.push_back(0);
          out += "hex(2):" + HexList(b);
          break;
        }
        default: out += "\"" + Escape(v.Text) + "\"";
      }
      out += "\r\n";
    }
  }
  return out;
}

TRegKey* TRegistryStore::FindKey(std::string_view path) {
  for (TRegKey& k : Keys)
    if (SameText(k.Path, path)) return &k;
  return nullptr;
}

TRegKey& TRegistryStore::EnsureKey(std::string_view path) {
  if (TRegKey* k = FindKey(path)) return *k;
  // Parents exist wherever a child does.
  size_t slash = path.rfind('\\');
  if (slash != std::string_view::npos) EnsureKey(path.substr(0, slash));
  Keys.push_back(TRegKey{String(path), {}});
  return Keys.back();
}

bool TRegistryStore::RemoveKey(std::string_view path) {
  size_t before = Keys.size();
  String prefix = String(path) + "\\";
  std::erase_if(Keys, [&](const TRegKey& k) {
    return SameText(k.Path, path) || (k.Path.size() > prefix.size() && SameText(k.Path.substr(0, prefix.size()), prefix));
  });
  return Keys.size() != before;
}

// ---- access to the files ------------------------------------------------------------------------

namespace {

String StoreFile(HKEY root) { return RegistryStoreDir() + "/" + RootKeyName(root) + ".reg"; }

TRegistryStore Load(HKEY root) {
  TRegistryStore store;
  String file = StoreFile(root);
  String text;
  try {
    text = ReadTextFile(file);
  } catch (const Exception& e) {
    throw ERegistryException(Format("Cannot read the registry store %s: %s", {file, e.Message()}));
  }
  store.Parse(text, RootKeyName(root), file);
  return store;
}

// Runs change on the freshly read store under the store's lock and writes the result
// through a temporary file and a rename.
bool Modify(HKEY root, const std::function<bool(TRegistryStore&)>& change) {
  String dir = RegistryStoreDir();
  if (!ForceDirectories(dir)) throw ERegistryException(Format("Cannot create the registry folder %s", {dir}));
  String file = StoreFile(root);
  String lockName = file + ".lock";
  int lock = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (lock < 0) throw ERegistryException(Format("Cannot lock the registry store %s", {file}));
  while (::flock(lock, LOCK_EX) != 0 && errno == EINTR) {
  }
  struct Unlock {
    int fd;
    ~Unlock() {
      ::flock(fd, LOCK_UN);
      ::close(fd);
    }
  } unlock{lock};
  TRegistryStore store = Load(root);
  if (!change(store)) return false;
  try {
    WriteFileAtomically(file, store.Format(RootKeyName(root)));
  } catch (const Exception&) {
    throw ERegistryException(Format("Cannot write the registry store %s", {file}));
  }
  return true;
}

String JoinPath(const String& a, const String& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + "\\" + b;
}

String CleanKey(String key) {
  while (!key.empty() && key.back() == '\\') key.pop_back();
  while (!key.empty() && key.front() == '\\') key.erase(0, 1);
  return key;
}

}  // namespace

// ---- TRegistry -----------------------------------------------------------------------------------

void TRegistry::SetRootKey(HKEY key) {
  RootKeyName(key);  // validates
  CloseKey();
  FRootKey = key;
}

String TRegistry::Resolve(const String& key) const {
  bool absolute = !key.empty() && key[0] == '\\';
  return CleanKey(absolute ? key : JoinPath(FCurrentPath, key));
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
  String path = Resolve(key);
  bool exists = Load(FRootKey).FindKey(path) != nullptr || path.empty();
  if (!exists) {
    if (!canCreate) return false;
    Modify(FRootKey, [&](TRegistryStore& s) {
      s.EnsureKey(path);
      return true;
    });
  }
  FCurrentPath = path;
  FKeyOpen = true;
  FReadOnly = false;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
  String path = Resolve(key);
  if (!path.empty() && !Load(FRootKey).FindKey(path)) return false;
  FCurrentPath = path;
  FKeyOpen = true;
  FReadOnly = true;
  return true;
}

void TRegistry::CloseKey() {
  FCurrentPath.clear();
  FKeyOpen = false;
  FReadOnly = false;
}

bool TRegistry::CreateKey(const String& key) {
  String path = Resolve(key);
  return Modify(FRootKey, [&](TRegistryStore& s) {
    if (s.FindKey(path)) return false;
    s.EnsureKey(path);
    return true;
  });
}

bool TRegistry::DeleteKey(const String& key) {
  String path = Resolve(key);
  if (path.empty()) return false;
  return Modify(FRootKey, [&](TRegistryStore& s) { return s.RemoveKey(path); });
}

bool TRegistry::KeyExists(const String& key) {
  String path = Resolve(key);
  return path.empty() || Load(FRootKey).FindKey(path) != nullptr;
}

bool TRegistry::HasSubKeys() {
  TStringList names;
  GetKeyNames(&names);
  return names.Count() > 0;
}

void TRegistry::GetKeyNames(TStrings* strings) {
  strings->Clear();
  TRegistryStore s = Load(FRootKey);
  String prefix = FCurrentPath.empty() ? String() : FCurrentPath + "\\";
  for (const TRegKey& k : s.Keys) {
    if (k.Path.size() <= prefix.size() || !SameText(k.Path.substr(0, prefix.size()), prefix)) continue;
    String rest = k.Path.substr(prefix.size());
    if (rest.find('\\') == String::npos) strings->Add(rest);
  }
}

void TRegistry::GetValueNames(TStrings* strings) {
  strings->Clear();
  TRegistryStore s = Load(FRootKey);
  if (const TRegKey* k = s.FindKey(FCurrentPath))
    for (const TRegValue& v : k->Values) strings->Add(v.Name);
}

namespace {
const TRegValue* FindValue(TRegistryStore& s, const String& path, const String& name) {
  TRegKey* k = s.FindKey(path);
  if (!k) return nullptr;
  for (const TRegValue& v : k->Values)
    if (SameText(v.Name, name)) return &v;
  return nullptr;
}
}  // namespace

bool TRegistry::ValueExists(const String& name) {
  TRegistryStore s = Load(FRootKey);
  return FindValue(s, FCurrentPath, name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const String& name) {
  TRegistryStore s = Load(FRootKey);
  const TRegValue* v = FindValue(s, FCurrentPath, name);
  return v ? v->Type : rdUnknown;
}

int TRegistry::GetDataSize(const String& name) {
  TRegistryStore s = Load(FRootKey);
  const TRegValue* v = FindValue(s, FCurrentPath, name);
  if (!v) return -1;
  switch (v->Type) {
    case rdInteger: return 4;
    case rdBinary: return static_cast<int>(v->Bytes.size());
    default: return static_cast<int>(v->Text.size()) + 1;
  }
}

bool TRegistry::DeleteValue(const String& name) {
  CheckWritable(name);
  return Modify(FRootKey, [&](TRegistryStore& s) {
    TRegKey* k = s.FindKey(FCurrentPath);
    if (!k) return false;
    size_t before = k->Values.size();
    std::erase_if(k->Values, [&](const TRegValue& v) { return SameText(v.Name, name); });
    return k->Values.size() != before;
  });
}

void TRegistry::CheckWritable(const String& name) const {
  if (!FKeyOpen || FReadOnly) throw ERegistryException(Format("Failed to set data for '%s'", {name}));
}

namespace {
void Put(HKEY root, const String& path, TRegValue value) {
  Modify(root, [&](TRegistryStore& s) {
    TRegKey& k = s.EnsureKey(path);
    for (TRegValue& v : k.Values)
      if (SameText(v.Name, value.Name)) {
        v = value;
        return true;
      }
    k.Values.push_back(value);
    return true;
  });
}
}  // namespace

String TRegistry::ReadString(const String& name) {
  TRegistryStore s = Load(FRootKey);
  const TRegValue* v = FindValue(s, FCurrentPath, name);
  if (!v) return {};
  if (v->Type != rdString && v->Type != rdExpandString)
    throw ERegistryException(Format("Invalid data type for '%s'", {name}));
  return v->Text;
}

void TRegistry::WriteString(const String& name, const String& value) {
  CheckWritable(name);
  Put(FRootKey, FCurrentPath, TRegValue{name, rdString, value, 0, {}});
}

void TRegistry::WriteExpandString(const String& name, const String& value) {
  CheckWritable(name);
  Put(FRootKey, FCurrentPath, TRegValue{name, rdExpandString, value, 0, {}});
}

Integer TRegistry::ReadInteger(const String& name) {
  TRegistryStore s = Load(FRootKey);
  const TRegValue* v = FindValue(s, FCurrentPath, name);
  if (!v) throw ERegistryException(Format("Failed to get data for '%s'", {name}));
  if (v->Type != rdInteger) throw ERegistryException(Format("Invalid data type for '%s'", {name}));
  return static_cast<Integer>(v->Number);
}

void TRegistry::WriteInteger(const String& name, Integer value) {
  CheckWritable(name);
  Put(FRootKey, FCurrentPath, TRegValue{name, rdInteger, {}, static_cast<std::uint32_t>(value), {}});
}

bool TRegistry::ReadBool(const String& name) { return ReadInteger(name) != 0; }
void TRegistry::WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }

std::vector<Byte> TRegistry::ReadBinaryData(const String& name) {
  TRegistryStore s = Load(FRootKey);
  const TRegValue* v = FindValue(s, FCurrentPath, name);
  if (!v) throw ERegistryException(Format("Failed to get data for '%s'", {name}));
  if (v->Type != rdBinary) throw ERegistryException(Format("Invalid data type for '%s'", {name}));
  return v->Bytes;
}

void TRegistry::WriteBinaryData(const String& name, const std::vector<Byte>& data) {
  CheckWritable(name);
  Put(FRootKey, FCurrentPath, TRegValue{name, rdBinary, {}, 0, data});
}

double TRegistry::ReadFloat(const String& name) {
  std::vector<Byte> b = ReadBinaryData(name);
  if (b.size() != sizeof(double)) throw ERegistryException(Format("Invalid data type for '%s'", {name}));
  double d;
  std::memcpy(&d, b.data(), sizeof d);
  return d;
}

void TRegistry::WriteFloat(const String& name, double value) {
  std::vector<Byte> b(sizeof value);
  std::memcpy(b.data(), &value, sizeof value);
  WriteBinaryData(name, b);
}

}  // namespace xel
