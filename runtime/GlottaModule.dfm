object GlottaModule: TGlottaModule
  OnCreate = GlottaModuleCreate
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
    OnChange = GlottaChange
  end
end
