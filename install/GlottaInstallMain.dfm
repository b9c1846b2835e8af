object GlottaInstallForm: TGlottaInstallForm
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Xel Glotta - Installation'
  ClientHeight = 428
  ClientWidth = 480
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Position = poScreenCenter
  ShowHint = True
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  object PanelMain: TPanel
    Left = 0
    Top = 0
    Width = 480
    Height = 380
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 0
    object GroupMode: TGroupBox
      Left = 8
      Top = 8
      Width = 464
      Height = 50
      Caption = 'Installation/uninstallation'
      TabOrder = 0
      object BtnInstall: TRadioButton
        Left = 16
        Top = 22
        Width = 200
        Height = 17
        Caption = 'Install'
        Checked = True
        TabOrder = 0
        TabStop = True
        OnClick = BtnInstallClick
      end
      object BtnUninstall: TRadioButton
        Left = 240
        Top = 22
        Width = 200
        Height = 17
        Caption = 'Uninstall'
        TabOrder = 1
        OnClick = BtnInstallClick
      end
    end
    object GroupFolder: TGroupBox
      Left = 8
      Top = 66
      Width = 464
      Height = 78
      Caption = 'Installation folder'
      TabOrder = 1
      object BtnFolder: TCheckBox
        Left = 16
        Top = 22
        Width = 200
        Height = 17
        Caption = 'Enabled'
        Checked = True
        State = cbChecked
        TabOrder = 0
        OnClick = BtnClick
      end
      object FolderSelect: TMRUComboBox
        Left = 16
        Top = 46
        Width = 432
        Height = 21
        ButtonCaption = '...'
        ButtonVisible = True
        HistoryListCount = 8
        History = '/opt/xel-glotta;~/.local/share/xel-glotta;/usr/local/xel-glotta;~/xel-glotta;~/glotta'
        Hint = 'This folder is used to save all installation files'
        TabOrder = 1
        Text = '/opt/xel-glotta'
        OnButtonClick = FolderSelectButtonClick
      end
    end
    object GroupDir: TGroupBox
      Left = 8
      Top = 152
      Width = 464
      Height = 116
      Caption = 'Package locations'
      TabOrder = 2
      object BtnWindows: TCheckBox
        Left = 16
        Top = 22
        Width = 432
        Height = 17
        Checked = True
        State = cbChecked
        TabOrder = 0
        OnClick = BtnClick
      end
      object BtnD3Dir: TCheckBox
        Left = 16
        Top = 44
        Width = 432
        Height = 17
        Caption = '.../Delphi 3/Bin'
        Enabled = False
        TabOrder = 1
        OnClick = BtnClick
      end
      object BtnD4Dir: TCheckBox
        Left = 16
        Top = 66
        Width = 432
        Height = 17
        Caption = '.../Delphi 4/Bin'
        Enabled = False
        TabOrder = 2
        OnClick = BtnClick
      end
      object BtnD5Dir: TCheckBox
        Left = 16
        Top = 88
        Width = 432
        Height = 17
        Caption = '.../Delphi 5/Bin'
        Enabled = False
        TabOrder = 3
        OnClick = BtnClick
      end
    end
    object GroupReg: TGroupBox
      Left = 8
      Top = 276
      Width = 464
      Height = 50
      Caption = 'Register packages to'
      TabOrder = 3
      object BtnD3: TCheckBox
        Left = 16
        Top = 22
        Width = 130
        Height = 17
        Caption = 'Delphi 3'
        Enabled = False
        TabOrder = 0
      end
      object BtnD4: TCheckBox
        Left = 166
        Top = 22
        Width = 130
        Height = 17
        Caption = 'Delphi 4'
        Enabled = False
        TabOrder = 1
      end
      object BtnD5: TCheckBox
        Left = 316
        Top = 22
        Width = 130
        Height = 17
        Caption = 'Delphi 5'
        Enabled = False
        TabOrder = 2
      end
    end
    object LabelLang: TLabel
      Left = 16
      Top = 344
      Width = 100
      Height = 13
      Caption = 'Language:'
    end
    object LangComboBox: TLangComboBox
      Left = 128
      Top = 340
      Width = 160
      Height = 21
      Glotta = Glotta
      TabOrder = 4
    end
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 380
    Width = 480
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    ButtonDimX = 110
    ButtonDimY = 28
    Buttons = <
      item
        Caption = '&Continue'
        Default = True
      end
      item
        Caption = 'Close'
        Cancel = True
      end>
    OnButtonClick = ButtonPanelButtonClick
  end
  object Glotta: TGlotta
    OnChange = GlottaChange
  end
  object Config: TConfigFile
    AutoLoad = True
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\Designers\Glotta\Install'
    ShowSaveError = False
    Entries = <
      item
        Items = <>
        Props = <
          item
            Name = 'History'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = FolderSelect
      end>
  end
  object ConfigLang: TConfigFile
    AutoLoad = True
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
end
