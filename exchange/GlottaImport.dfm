object GlottaImportForm: TGlottaImportForm
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Import Language from %s'
  ClientHeight = 400
  ClientWidth = 680
  Font.Height = -12
  OnCreate = FormCreate
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 680
    Height = 28
    Align = alTop
    Alignment = taLeftJustify
    BevelOuter = bvNone
    Caption = ' Select entries to import:'
    TabOrder = 0
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 352
    Width = 680
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    ButtonDimX = 100
    ButtonDimY = 32
    Buttons = <
      item
        Caption = '&OK'
        Default = True
        OnClick = OKClick
      end
      item
        Caption = '&Cancel'
        ModalResult = 2
        Cancel = True
      end
      item
        Caption = '&Help'
      end>
    TabOrder = 3
    OnButtonClick = ButtonPanelButtonClick
  end
  object OptionsPanel: TPanel
    Left = 0
    Top = 232
    Width = 680
    Height = 120
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 2
    object ModeGroup: TGroupBox
      Left = 8
      Top = 4
      Width = 328
      Height = 112
      Caption = 'Import mode'
      TabOrder = 0
      object BtnClearExisting: TRadioButton
        Left = 12
        Top = 24
        Width = 310
        Height = 22
        Caption = 'Clear existing entries'
        TabOrder = 0
      end
      object BtnAddAll: TRadioButton
        Left = 12
        Top = 52
        Width = 310
        Height = 22
        Caption = 'Add all entries'
        TabOrder = 1
      end
      object BtnAddNotExisting: TRadioButton
        Left = 12
        Top = 80
        Width = 310
        Height = 22
        Caption = 'Add not yet existing entries'
        Checked = True
        TabOrder = 2
      end
    end
    object SettingsGroup: TGroupBox
      Left = 344
      Top = 4
      Width = 328
      Height = 112
      Caption = 'Settings'
      TabOrder = 1
      object BtnInitNewProps: TCheckBox
        Left = 12
        Top = 24
        Width = 310
        Height = 22
        Caption = 'Initialize not loaded entries'
        TabOrder = 0
      end
      object BtnShowWarnings: TCheckBox
        Left = 12
        Top = 52
        Width = 310
        Height = 22
        Caption = 'Show warnings'
        State = cbChecked
        TabOrder = 1
      end
      object BtnAsDefault: TCheckBox
        Left = 12
        Top = 80
        Width = 310
        Height = 22
        Caption = 'These settings as default'
        TabOrder = 2
      end
    end
  end
  object Grid: TSortGridEx
    Left = 0
    Top = 28
    Width = 680
    Height = 204
    Align = alClient
    ColCount = 3
    DefaultColWidth = 220
    DefaultRowHeight = 20
    FixedCols = 0
    RowCount = 2
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing, goThumbTracking]
    TabOrder = 1
    ClickSorting = False
    OnKeyPress = GridKeyPress
    OnSelectCell = GridSelectCell
    OnSelectQuery = GridSelectQuery
    OnSelectUpdate = GridSelectUpdate
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
    BeforeChange = GlottaBeforeChange
    OnChange = GlottaChange
  end
  object ConfigFile: TConfigFile
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\MyApplication'
    ShowLoadError = False
    ShowSaveError = False
  end
end
