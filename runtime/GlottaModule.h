// The package's own user-interface texts: a data module whose TGlotta, in the hidden
// domain of the package's tools, holds the messages, questions and menu captions of the
// design-time tools in English and German, and which remembers the language the
// developer chose for the tools. ServiceMessage shows such a message.
#pragma once

#include "ConfigFile.h"
#include "Glotta.h"
#include "MsgBox.h"
#include "SuperForm.h"

namespace xel {

// The domain of the package's own windows: the tools keep their language whatever the
// application being translated switches to, and the other way round.
inline constexpr const char* PrivateXelDomain = ".Private Xel Domain";

class TGlottaModule : public TSuperDataModule {
  XEL_CLASS(TGlottaModule, TSuperDataModule)
public:
  // The first module made becomes GlottaModule for as long as it lives.
  explicit TGlottaModule(TComponent* owner);
  ~TGlottaModule() override;

  TConfigFile* ConfigLang() const { return OwnedComponent<TConfigFile>(this, "ConfigLang"); }
  TGlotta* Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }
  // Switches the tools' whole domain.
  void SetLanguage(const String& language);
  // EStringNotFound for a name the module does not hold.
  String GetString(const String& name) const;
  // The tools' language as the developer chose it last (the editor stores it); false when
  // it could not be read.
  bool LoadConfigLang();

  void GlottaModuleCreate(TObject* sender);
  void GlottaChange(TObject* sender);

  // After each language change of the module, with its Glotta as sender.
  TNotifyEvent OnChange;

  static auto PublishedMethods() {
    return MethodTable<TGlottaModule>({PublishedMethod<&TGlottaModule::GlottaModuleCreate>("GlottaModuleCreate"),
                                       PublishedMethod<&TGlottaModule::GlottaChange>("GlottaChange")});
  }
};

// The single module; it exists only inside the designer, elsewhere it is nullptr.
extern TGlottaModule* GlottaModule;

// Where the tools' language is kept (below the local machine's root, where the
// configuration files keep their keys by default), and the value's section and name.
inline constexpr const char* DesignersRegistryPath = "Software\\Xel GbR\\Designers";
inline constexpr const char* DesignersSection = "Global";

// The unit's start and end: inside the designer the module is made (without owner) and
// freed again.
void InitializeGlottaModuleUnit();
void FinalizeGlottaModuleUnit();

// Shows the module's message of that name (the name itself without the module) in the
// tools' language and returns the button pressed.
Integer ServiceMessage(const String& name, MsgBox::TMsgBoxType type, MsgBox::TMsgBoxButtons buttons);
// The help topic, through the application's help file.
void ShowGlottaHelp(Integer context);

void RegisterGlottaModuleClasses();

}  // namespace xel
