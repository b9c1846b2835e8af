object LanguageSelectForm: TLanguageSelectForm
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Select Languages'
  ClientHeight = 300
  ClientWidth = 624
  Font.Height = -12
  KeyPreview = True
  OnCreate = FormCreate
  OnKeyDown = FormKeyDown
  OnShow = FormShow
  object ButtonPanelBottom: TButtonPanel
    Left = 0
    Top = 252
    Width = 624
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    ButtonDimX = 100
    ButtonDimY = 32
    Buttons = <
      item
        Caption = 'OK'
        Default = True
        OnClick = ButtonPanelBottomOKClick
      end
      item
        Caption = 'Cancel'
        ModalResult = 2
        Cancel = True
      end
      item
        Caption = '&Help'
      end>
    TabOrder = 3
    OnButtonClick = ButtonPanelBottomButtonClick
  end
  object LabelF9Hint: TLabel
    Left = 0
    Top = 232
    Width = 624
    Height = 20
    Align = alBottom
    Caption = ' F9: Show language selection box'
    Enabled = False
  end
  object ButtonPanelRight: TButtonPanel
    Left = 480
    Top = 0
    Width = 144
    Height = 232
    Align = alRight
    BevelOuter = bvNone
    ButtonAlignment = baLeft
    ButtonDimX = 128
    ButtonDimY = 32
    ButtonDist = 8
    Buttons = <
      item
        Caption = 'Add'
        OnClick = AddClick
      end
      item
        Caption = 'Remove'
        OnClick = RemoveClick
      end
      item
        Caption = 'As Default'
        OnClick = AsDefaultClick
      end
      item
        Caption = 'Move Up'
        OnClick = MoveUpClick
      end
      item
        Caption = 'Move Down'
        OnClick = MoveDownClick
      end>
    TabOrder = 1
  end
  object Grid: TSortGrid
    Left = 0
    Top = 0
    Width = 480
    Height = 232
    Align = alClient
    ColCount = 3
    DefaultRowHeight = 20
    FixedCols = 0
    RowCount = 2
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing, goEditing, goThumbTracking]
    TabOrder = 0
    ClickSorting = False
    OnClick = GridClick
    OnDblClick = GridDblClick
    OnEnter = GridEnter
    OnExit = GridExit
    OnKeyPress = GridKeyPress
    OnSelectCell = GridSelectCell
    OnSetEditText = GridSetEditText
    OnCellValidate = GridCellValidate
    OnGetCellFormat = GridGetCellFormat
  end
  object BtnEnglishLangNames: TCheckBox
    Left = 8
    Top = 260
    Width = 97
    Height = 17
    State = cbChecked
    TabOrder = 2
    Visible = False
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
  object ConfigFile: TConfigFile
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\MyApplication'
    ShowLoadError = False
    ShowSaveError = False
    AfterLoad = ConfigFileAfterLoad
    BeforeSave = ConfigFileBeforeSave
  end
end
