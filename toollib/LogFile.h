// The log file component: appends lines to a file that is opened on the first write, in a
// folder relative to a well-known one, optionally time-stamped and with chained checksums
// that make later changes detectable. Also the component that restores the current folder.
#pragma once

#include <memory>

#include "Expand.h"
#include "FileTools.h"
#include "Streams.h"

namespace xel {

XEL_ENUM(TLogFileDir, fdApplication, fdTemporary, fdWindows, fdSystem)
XEL_ENUM(TLogFileMode, fmOpenFile, fmCreateFile, fmCreateUniqueFile)

// Chained checksums: every line is written as eight upper-case hexadecimal digits of its
// checksum, a blank, and the line with its CR LF. Each opening of the file begins with an
// identifier line, "#" and a random number as eight base-17 digits, which seeds the chain;
// the checksum of a line depends on every line before it since the identifier.
class TLogFile : public TExComponent {
  XEL_CLASS(TLogFile, TExComponent)
public:
  explicit TLogFile(TComponent* owner);
  ~TLogFile() override;

  // Opens the file now. False, silently, when disabled or without a file name; any other
  // failure raises EInOutError.
  bool CreateFile();
  void CloseFile();
  void WriteValue(const Variant& value);
  void WriteTimeStamp();

  bool IsOpen() const { return FStream != nullptr; }
  // The full name of the open file; empty while closed.
  const String& GetFullFileName() const { return FFullFileName; }

  TLogFileDir GetDirectory() const { return FDirectory; }
  void SetDirectory(TLogFileDir v) { FDirectory = v; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  const String& GetFileName() const { return FFileName; }
  void SetFileName(const String& v) { FFileName = v; }
  bool GetIgnoreErrors() const { return FIgnoreErrors; }
  void SetIgnoreErrors(bool v) { FIgnoreErrors = v; }
  TLogFileMode GetMode() const { return FMode; }
  void SetMode(TLogFileMode v) { FMode = v; }
  bool GetTimeStamp() const { return FTimeStamp; }
  void SetTimeStamp(bool v) { FTimeStamp = v; }
  // A run-time switch, not stored with the form.
  bool GetChecksum() const { return FChecksum; }
  void SetChecksum(bool v);

  static auto Published() {
    return PropTable<TLogFile>(
        Prop("Directory", &TLogFile::GetDirectory, &TLogFile::SetDirectory).Default(fdApplication),
        Prop("Enabled", &TLogFile::GetEnabled, &TLogFile::SetEnabled).Default(true),
        Prop("FileName", &TLogFile::GetFileName, &TLogFile::SetFileName),
        Prop("IgnoreErrors", &TLogFile::GetIgnoreErrors, &TLogFile::SetIgnoreErrors).Default(true),
        Prop("Mode", &TLogFile::GetMode, &TLogFile::SetMode).Default(fmOpenFile),
        Prop("TimeStamp", &TLogFile::GetTimeStamp, &TLogFile::SetTimeStamp).Default(false));
  }

protected:
  // One draw of the identifier: uniform in 0 .. 2^31 - 2.
  virtual Integer RandomIdentifier();

private:
  bool OpenFile(bool ignoreErrors);
  // Writes the identifier line that seeds the chain.
  void StartChain();
  void WriteLine(String line);
  void WriteString(const String& s);

  TLogFileDir FDirectory = fdApplication;
  bool FEnabled = true;
  String FFileName;
  bool FIgnoreErrors = true;
  TLogFileMode FMode = fmOpenFile;
  bool FTimeStamp = false;
  bool FChecksum = false;
  std::unique_ptr<TFileStream> FStream;
  String FFullFileName;
  bool FCreating = false;
  bool FChainStarted = false;
  LongWord FChecksumState = 0;
};

// Sets the process's current folder back to the one of its creation when it is destroyed.
class TKeepDirectory : public TComponent {
  XEL_CLASS(TKeepDirectory, TComponent)
public:
  explicit TKeepDirectory(TComponent* owner);
  ~TKeepDirectory() override;
  const String& GetDirectory() const { return FDirectory; }

private:
  String FDirectory;
};

void RegisterLogFileClasses();

}  // namespace xel
