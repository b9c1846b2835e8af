// TRegistry over a file-backed store: one REGEDIT4 text file per root key in a per-user
// folder ($XEL_REGISTRY_DIR, else $XDG_CONFIG_HOME/xel/registry, else ~/.config/xel/registry).
// Every write re-reads the file under a lock and replaces it atomically, so that several
// processes writing at once lose none of each other's values; a damaged file is reported
// (ERegistryException) and never overwritten.
#pragma once

#include <cstdint>
#include <vector>

#include "StringList.h"

namespace xel {

XEL_EXCEPTION(ERegistryException, Exception);

using HKEY = std::uintptr_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// The folder of the store files.
String RegistryStoreDir();
String RootKeyName(HKEY key);

class TRegistry : public TObject {
  XEL_CLASS(TRegistry, TObject)
public:
  TRegistry() = default;
  ~TRegistry() override = default;

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY key);
  // The open key, without leading backslash; empty when none is open.
  const String& CurrentPath() const { return FCurrentPath; }
  bool LazyWrite = true;  // accepted for compatibility; every write goes to the store at once

  // A key beginning with "\" is taken from the root, any other from the open key.
  bool OpenKey(const String& key, bool canCreate);
  bool OpenKeyReadOnly(const String& key);
  void CloseKey();
  bool CreateKey(const String& key);
  bool DeleteKey(const String& key);  // with all its sub-keys
  bool KeyExists(const String& key);
  bool HasSubKeys();
  void GetKeyNames(TStrings* strings);
  void GetValueNames(TStrings* strings);

  bool ValueExists(const String& name);
  bool DeleteValue(const String& name);
  TRegDataType GetDataType(const String& name);
  int GetDataSize(const String& name);  // -1 when missing

  // A missing string reads as empty; a missing number or flag raises ERegistryException.
  String ReadString(const String& name);
  void WriteString(const String& name, const String& value);
  void WriteExpandString(const String& name, const String& value);
  Integer ReadInteger(const String& name);
  void WriteInteger(const String& name, Integer value);
  bool ReadBool(const String& name);
  void WriteBool(const String& name, bool value);
  double ReadFloat(const String& name);
  void WriteFloat(const String& name, double value);
  std::vector<Byte> ReadBinaryData(const String& name);
  void WriteBinaryData(const String& name, const std::vector<Byte>& data);

private:
  String Resolve(const String& key) const;
  void CheckWritable(const String& name) const;

  HKEY FRootKey = HKEY_CURRENT_USER;
  String FCurrentPath;
  bool FKeyOpen = false;
  bool FReadOnly = false;
};

// The store of one root key, as the registry file holds it; used by TRegistry and by tests.
struct TRegValue {
  String Name;  // "" is the key's default value
  TRegDataType Type = rdString;
  String Text;               // rdString, rdExpandString
  std::uint32_t Number = 0;  // rdInteger
  std::vector<Byte> Bytes;   // rdBinary
};

struct TRegKey {
  String Path;  // without the root name, "" for the root itself
  std::vector<TRegValue> Values;
};

class TRegistryStore {
public:
  std::vector<TRegKey> Keys;

  // REGEDIT4 text; damaged text raises ERegistryException with its line.
  void Parse(std::string_view text, const String& rootName, const String& fileName);
  String Format(const String& rootName) const;
  TRegKey* FindKey(std::string_view path);
  TRegKey& EnsureKey(std::string_view path);
  bool RemoveKey(std::string_view path);  // the key and everything below it
};

}  // namespace xel
