// A form file or language file opened for language work outside the application that owns
// it: the text or binary form, the component resource file (16-bit header) or the resource
// file with one component (a unit's language file) is read into live components and can
// be written back in its own format.
//
// The application's form classes are not known here. The root of a form is read into a
// stand-in: a TForm (or, when that cannot read it, a TDataModule) that reports the class
// name the file gives, so that exports and stored data name the real class. Event handlers
// are not bound while the components live (no handler of the application exists here, and
// loading fires some); the names the file gives are kept and written back unchanged. A
// language file's TGlotta is read on its own, without an owner form.
#pragma once

#include <memory>
#include <vector>

#include "Glotta.h"

namespace xel {

XEL_ENUM(TGlottaDocumentFormat, dfText, dfBinary, dfComponentResource, dfResourceFile)

class TGlottaDocument : public TObject {
  XEL_CLASS(TGlottaDocument, TObject)
public:
  // Raises EReadError when the file is none of the formats or cannot be read. A designed
  // document reads its components in design state.
  explicit TGlottaDocument(const String& fileName, bool designing = false);
  ~TGlottaDocument() override;

  const String& FileName() const { return FFileName; }
  TGlottaDocumentFormat FileFormat() const { return FFormat; }
  TComponent* Root() const { return FRoot; }
  // The form's language component (the root itself in a language file); none when the
  // form has none.
  TGlotta* Glotta() const;
  // Items that the stored language data name but the form no longer has ("Button2.Caption",
  // "Memo1.Lines.Strings[7]"): loading dropped them.
  const std::vector<String>& LostItems() const { return FLostItems; }

  // The document in its own format.
  String SaveToString();
  // Written through a temporary file beside it and a rename: the old file stays whole
  // when anything fails.
  void SaveToFile(const String& fileName);

  struct TEventBinding {
    TObject* Instance;
    PPropInfo Prop;
    String Method;
  };

private:
  void Load(const String& binary);
  String WriteBinary();

  String FFileName;
  bool FDesigning = false;
  TGlottaDocumentFormat FFormat = dfBinary;
  String FResourceName;
  String FData;  // the file as read, for resource files with further resources
  TComponent* FRoot = nullptr;
  std::unique_ptr<TComponent> FOwned;
  struct TStandInClasses;
  std::unique_ptr<TStandInClasses> FClasses;
  std::vector<TEventBinding> FEvents;
  std::vector<String> FLostItems;
};

}  // namespace xel
