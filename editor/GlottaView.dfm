object GlottaViewForm: TGlottaViewForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMaximize]
  Caption = 'Xel Glotta - Overview'
  ClientHeight = 269
  ClientWidth = 492
  Position = poScreenCenter
  OnCreate = FormCreate
  object TreeView: TTreeView
    Left = 0
    Top = 0
    Width = 492
    Height = 221
    Align = alClient
    Indent = 19
    ReadOnly = True
    ShowRoot = False
    TabOrder = 0
    OnCollapsing = TreeViewCollapsing
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 221
    Width = 492
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    ButtonDimX = 128
    ButtonDimY = 32
    Buttons = <
      item
        Caption = '&OK'
        ModalResult = 1
        Cancel = True
        Default = True
      end>
    TabOrder = 1
    object BtnShowHidden: TCheckBox
      Left = 8
      Top = 14
      Width = 200
      Height = 20
      Caption = 'Show hidden frames'
      Enabled = False
      TabOrder = 0
      Visible = False
      OnClick = BtnShowHiddenClick
    end
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
  object ConfigLang: TConfigFile
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\Designers'
    Section = 'Global'
    ShowLoadError = False
    ShowSaveError = False
  end
  object Config: TConfigFile
    AutoLoad = True
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\Designers\Glotta\Editor'
    SaveSuperFormState = True
    ShowLoadError = False
    ShowSaveError = False
  end
end
