// Services of the operating system that the package calls: temporary files, user and
// computer names, GUIDs, the user's language, file attributes, disk space.
#pragma once

#include <array>

#include "SysUtils.h"

namespace xel {

// $TMPDIR, else /tmp, with a trailing "/".
String GetTempDir();
// Creates a new empty file with a unique name in dir (the temporary folder when empty)
// and returns its path; the name begins with prefix.
String GetTempFileName(const String& dir, const String& prefix);

String GetUserName();
String GetComputerName();

struct TGUID {
  std::array<Byte, 16> Bytes{};
  friend bool operator==(const TGUID&, const TGUID&) = default;
};
TGUID CreateGUID();
// The registry form: braces, 38 characters, upper-case hexadecimal.
String GUIDToString(const TGUID& guid);
TGUID StringToGUID(std::string_view s);  // EConvertError when malformed

// Windows language identifiers: primary language in the low 10 bits, sublanguage above.
using LANGID = Word;
inline constexpr LANGID MakeLangID(Word primary, Word sub) { return static_cast<LANGID>((sub << 10) | primary); }
inline constexpr Word PrimaryLangID(LANGID id) { return id & 0x3FF; }
inline constexpr Word SubLangID(LANGID id) { return id >> 10; }
// From LC_ALL, LC_MESSAGES or LANG ("de_DE.UTF-8" gives 0x0407); "C", "POSIX" and unset
// give US English; a language outside the table gives LANG_NEUTRAL (0x0400).
LANGID GetUserDefaultLangID();
LANGID LocaleToLangID(std::string_view locale);

// The host's read-only attribute: no write permission bits.
bool FileIsReadOnly(const String& fileName);
bool FileSetReadOnly(const String& fileName, bool readOnly);
// Free bytes for the user on the file system of path; -1 when it cannot be told.
Int64 DiskFree(const String& path);
// The running program's file.
String GetModuleFileName();

}  // namespace xel
