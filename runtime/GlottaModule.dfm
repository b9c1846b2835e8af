object GlottaModule: TGlottaModule
  OnCreate = GlottaModuleCreate
  object ConfigLang: TConfigFile
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\Designers'
    Section = 'Global'
    ShowSaveError = False
    Entries = <
      item
        Items = <>
        Props = <
          item
            Name = 'Language'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = Glotta
      end>
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
    OnChange = GlottaChange
  end
end
