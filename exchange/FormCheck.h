// The check of a form file before it is packed or shipped. The file is read as its
// application would read it: against the classes registered in this process, the root
// (the application's own class) into a stand-in of its kind. What does not fit is reported
// at its place in the file: line and column of a text form, byte offset and component path
// of a binary one.
#pragma once

#include <vector>

#include "SysUtils.h"

namespace xel {

struct TFormIssue {
  enum TLevel {
    Error,
    // A class this process does not know: an error of the form where its classes are all
    // known, to be expected where the form belongs to a program or library above this one.
    UnknownClass,
    // What cannot be decided here (a reference into a component of an unknown class).
    Warning
  };
  TLevel Level = Error;
  int Line = 0, Column = 0;  // text forms; 0 where there is no place
  Int64 Offset = -1;         // other forms: the byte offset in the file, or in the resource
  String Resource;           // the resource that holds the form, in a resource file
  String Path;               // the components and property ("Form1.Panel1.Button1.Caption")
  String Message;
};

// A syntax error of a text form at its line and column.
TFormIssue ParserErrorIssue(const EParserError& e);

// "file:line:col: message" for text forms, "file: byte N: path: message" for the others,
// "warning: " before the message of what is no error (with unknownClassIsError false, of
// unknown classes too).
String FormIssueText(const String& fileName, const TFormIssue& issue, bool unknownClassIsError);

// The issues of a form file: a text or binary form, a component resource file or a
// resource file (each form in it). A file that cannot be read gives its one issue. With
// binary, the binary form of the (first) form, empty when it could not be made.
std::vector<TFormIssue> CheckFormFile(const String& fileName, String* binary = nullptr);

// The same on the contents of such a file.
std::vector<TFormIssue> CheckFormData(const String& data, String* binary = nullptr);

// The binary form of a text form file without the check of its contents; its syntax error
// as an issue, and then an empty result.
String TextFormFileToBinary(const String& fileName, std::vector<TFormIssue>& issues);

}  // namespace xel
