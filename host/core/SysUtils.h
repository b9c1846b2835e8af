// Exceptions, string, number and file-name helpers of the host's SysUtils.
#pragma once

#include <cstdint>
#include <cstring>
#include <exception>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

namespace xel {

// Root of the host's exceptions. ClassName() gives the host class name that messages
// such as "Export error: %s.Message = %s" print.
class Exception : public std::exception {
public:
  explicit Exception(String msg = {}) : FMessage(std::move(msg)) {}
  const String& Message() const { return FMessage; }
  void SetMessage(String msg) { FMessage = std::move(msg); }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int ctx) { FHelpContext = ctx; }
  const char* what() const noexcept override { return FMessage.c_str(); }
  virtual const char* ClassName() const { return "Exception"; }
private:
  String FMessage;
  int FHelpContext = 0;
};

#define XEL_EXCEPTION(Name, Base)                                   \
  class Name : public Base {                                        \
  public:                                                           \
    using Base::Base;                                               \
    const char* ClassName() const override { return #Name; }        \
  }

XEL_EXCEPTION(EAbort, Exception);  // the silent exception: handlers do not report it
XEL_EXCEPTION(EConvertError, Exception);
XEL_EXCEPTION(EListError, Exception);
XEL_EXCEPTION(EStringListError, Exception);
XEL_EXCEPTION(EComponentError, Exception);
XEL_EXCEPTION(EPropertyError, Exception);
XEL_EXCEPTION(EVariantError, Exception);
XEL_EXCEPTION(EOutOfResources, Exception);
XEL_EXCEPTION(EInvalidCast, Exception);
XEL_EXCEPTION(EInvalidOperation, Exception);
XEL_EXCEPTION(EIntError, Exception);
XEL_EXCEPTION(ERangeError, EIntError);
XEL_EXCEPTION(EDivByZero, EIntError);
XEL_EXCEPTION(EMathError, Exception);
XEL_EXCEPTION(EZeroDivide, EMathError);
XEL_EXCEPTION(EOSError, Exception);
XEL_EXCEPTION(EStreamError, Exception);
XEL_EXCEPTION(EFCreateError, EStreamError);
XEL_EXCEPTION(EFOpenError, EStreamError);
XEL_EXCEPTION(EFilerError, EStreamError);
XEL_EXCEPTION(EReadError, EFilerError);
XEL_EXCEPTION(EWriteError, EFilerError);
XEL_EXCEPTION(EClassNotFound, EFilerError);
XEL_EXCEPTION(EMethodNotFound, EFilerError);
XEL_EXCEPTION(EInvalidImage, EFilerError);
XEL_EXCEPTION(EResNotFound, Exception);

// A text that does not parse. The message names the line as it always did; the line, the
// column (in characters, from 1) and the message without the line let tools point at the
// place ("file:line:col: message").
class EParserError : public Exception {
public:
  using Exception::Exception;
  EParserError(const String& message, int line, int column)
      : Exception(message + " on line " + std::to_string(line)), FErrorMessage(message), FLine(line), FColumn(column) {}
  const String& ErrorMessage() const { return FErrorMessage.empty() ? Message() : FErrorMessage; }
  int Line() const { return FLine; }      // 0 when unknown
  int Column() const { return FColumn; }  // 0 when unknown
  const char* ClassName() const override { return "EParserError"; }

private:
  String FErrorMessage;
  int FLine = 0;
  int FColumn = 0;
};

class EInOutError : public Exception {
public:
  EInOutError(String msg, int errorCode = 0) : Exception(std::move(msg)), ErrorCode(errorCode) {}
  const char* ClassName() const override { return "EInOutError"; }
  int ErrorCode;
};

// Runs a function when the scope ends, by return or by exception: the host's
// try ... finally. An exception from the function itself passes on unless another one is
// already on its way (then the first one wins).
template <class F>
class TFinally {
public:
  explicit TFinally(F f) : FFunc(std::move(f)), FExceptions(std::uncaught_exceptions()) {}
  TFinally(const TFinally&) = delete;
  TFinally& operator=(const TFinally&) = delete;
  ~TFinally() noexcept(false) {
    if (std::uncaught_exceptions() > FExceptions) {
      try {
        FFunc();
      } catch (...) {
      }
    } else {
      FFunc();
    }
  }

private:
  F FFunc;
  int FExceptions;
};

// Texts of the host's resource strings that several units raise.
namespace SConst {
inline constexpr const char* ListIndexError = "List index out of bounds (%d)";
inline constexpr const char* ListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* ListCountError = "List count out of bounds (%d)";
inline constexpr const char* DuplicateString = "String list does not allow duplicates";
inline constexpr const char* SortedListError = "Operation not allowed on sorted string list";
inline constexpr const char* DuplicateName = "A component named %s already exists";
inline constexpr const char* InvalidName = "'%s' is not a valid component name";
inline constexpr const char* AssignError = "Cannot assign a %s to a %s";
inline constexpr const char* ClassNotFound = "Class %s not found";
inline constexpr const char* DuplicateClass = "A class named %s already exists";
inline constexpr const char* UnknownProperty = "Property %s does not exist";
inline constexpr const char* ReadOnlyProperty = "Property is read-only";
inline constexpr const char* InvalidPropertyValue = "Invalid property value";
inline constexpr const char* InvalidPropertyType = "Invalid property type: %s";
inline constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* InvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* InvalidDate = "'%s' is not a valid date";
inline constexpr const char* InvalidTime = "'%s' is not a valid time";
inline constexpr const char* InvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* InvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* ArgumentMissing = "No argument for format '%s'";
inline constexpr const char* InvalidVarCast = "Invalid variant type conversion";
inline constexpr const char* InvalidVarOp = "Invalid variant operation";
inline constexpr const char* InvalidCast = "Invalid class typecast";
inline constexpr const char* CollectionItemClassError = "Invalid collection item class";
}  // namespace SConst

// Locale-dependent formats, switchable at run time as the host's globals are.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  String ShortDateFormat = "m/d/yyyy";
  String LongDateFormat = "dddd, mmmm d, yyyy";
  String ShortTimeFormat = "h:nn AMPM";
  String LongTimeFormat = "h:nn:ss AMPM";
  String TimeAMString = "AM";
  String TimePMString = "PM";
  String CurrencyString = "$";
  Byte CurrencyDecimals = 2;
  String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
  String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  String LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  Word TwoDigitYearCenturyWindow = 50;
};

// The process-wide settings that the functions without an explicit settings argument use.
extern TFormatSettings FormatSettings;

// Strings. Case folding covers the ASCII letters only, as the host's CompareText does.
String Trim(std::string_view s);
String TrimLeft(std::string_view s);
String TrimRight(std::string_view s);
String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// A hash of the whole string that agrees with SameText (texts that differ only in the case
// of ASCII letters hash alike), for indexes keyed by names.
inline size_t HashText(std::string_view s) {
  // A word at a time, each byte folded with | 0x20: both cases of a letter meet, and
  // other bytes that meet the same way only cost a comparison. Short tails are read with
  // whole loads (overlapping where need be), never assembled byte by byte.
  constexpr std::uint64_t Fold = 0x2020202020202020ull;
  constexpr std::uint64_t Mul = 0x9E3779B97F4A7C15ull;
  auto load64 = [](const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
  };
  auto load32 = [](const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return static_cast<std::uint64_t>(w);
  };
  const char* p = s.data();
  size_t n = s.size();
  std::uint64_t h = n * Mul;
  if (n >= 8) {
    const char* end = p + n;
    for (; end - p > 8; p += 8) h = (h ^ (load64(p) | Fold)) * Mul;
    h = (h ^ (load64(end - 8) | Fold)) * Mul;
  } else if (n >= 4) {
    h = (h ^ ((load32(p) | (load32(p + n - 4) << 32)) | Fold)) * Mul;
  } else if (n > 0) {
    auto at = [&](size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])); };
    h = (h ^ ((at(0) | (at(n / 2) << 8) | (at(n - 1) << 16)) | Fold)) * Mul;
  }
  // The products carry differences upwards only; mix the high bits down, as hash tables
  // index by the low ones.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  return static_cast<size_t>(h);
}
// Hash and equality by HashText and SameText for unordered containers keyed by names;
// lookups take string views without building a string.
struct TTextHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return HashText(s); }
};
struct TTextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};
int CompareStr(std::string_view a, std::string_view b);
String QuotedStr(std::string_view s);
String AnsiDequotedStr(std::string_view s, char quote);
bool IsValidIdent(std::string_view s);
String StringOfChar(char c, int count);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                     int flags = 0);

// 1-based positions, as the host's Pos and Copy.
int Pos(std::string_view sub, std::string_view s);
String Copy(std::string_view s, int index, int count);

inline char UpCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char LoCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Integers.
String IntToStr(Int64 value);
String IntToHex(Int64 value, int digits);
Integer StrToInt(std::string_view s);
Integer StrToIntDef(std::string_view s, Integer def);
Int64 StrToInt64(std::string_view s);
Int64 StrToInt64Def(std::string_view s, Int64 def);
bool TryStrToInt(std::string_view s, Integer& value);
bool TryStrToInt64(std::string_view s, Int64& value);

// File names (POSIX paths, "/" as delimiter).
inline constexpr char PathDelim = '/';
String ChangeFileExt(std::string_view fileName, std::string_view ext);
String ExtractFilePath(std::string_view fileName);
String ExtractFileDir(std::string_view fileName);
String ExtractFileName(std::string_view fileName);
String ExtractFileExt(std::string_view fileName);
String IncludeTrailingPathDelimiter(std::string_view s);
String ExcludeTrailingPathDelimiter(std::string_view s);
String ExpandFileName(std::string_view fileName);
bool FileExists(const String& fileName);
bool DirectoryExists(const String& dir);
bool DeleteFile(const String& fileName);
bool RenameFile(const String& oldName, const String& newName);
bool CreateDir(const String& dir);
bool ForceDirectories(const String& dir);
String GetCurrentDir();
// Reads a whole text file (empty when it does not exist); writes one through a temporary
// file and a rename, so that readers never see half a file.
String ReadTextFile(const String& fileName, bool mustExist = false);
void WriteFileAtomically(const String& fileName, std::string_view data);

}  // namespace xel
