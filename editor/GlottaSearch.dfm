object GlottaSearchForm: TGlottaSearchForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Search'
  ClientHeight = 181
  ClientWidth = 520
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  object LabelPattern: TLabel
    Left = 8
    Top = 12
    Width = 110
    Height = 16
    Caption = 'Search pattern:'
  end
  object EditPattern: TMRUComboBox
    Left = 128
    Top = 8
    Width = 384
    Height = 21
    DropDownCount = 16
    HistoryListCount = 32
    TabOrder = 0
  end
  object GroupMode: TGroupBox
    Left = 8
    Top = 38
    Width = 280
    Height = 92
    Caption = 'Search in'
    TabOrder = 1
    object BtnInValues: TRadioButton
      Left = 10
      Top = 20
      Width = 264
      Height = 20
      Caption = 'Property values'
      Checked = True
      TabOrder = 0
    end
    object BtnInDescs: TRadioButton
      Left = 10
      Top = 42
      Width = 264
      Height = 20
      Caption = 'Property descriptor/string ID'
      TabOrder = 1
    end
    object BtnInNames: TRadioButton
      Left = 10
      Top = 64
      Width = 264
      Height = 20
      Caption = 'Component name and type'
      TabOrder = 2
    end
  end
  object GroupOptions: TGroupBox
    Left = 296
    Top = 38
    Width = 216
    Height = 92
    Caption = 'Options'
    TabOrder = 2
    object BtnFromCursor: TCheckBox
      Left = 10
      Top = 20
      Width = 200
      Height = 20
      Caption = 'Search from cursor position'
      TabOrder = 0
      TabStop = False
    end
    object BtnBackward: TCheckBox
      Left = 10
      Top = 42
      Width = 200
      Height = 20
      Caption = 'Search backward'
      TabOrder = 1
      TabStop = False
    end
    object BtnCaseSensitive: TCheckBox
      Left = 10
      Top = 64
      Width = 200
      Height = 20
      Caption = 'Case sensitive'
      TabOrder = 2
    end
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 133
    Width = 520
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    ButtonAlignment = baCenter
    ButtonDimX = 128
    ButtonDimY = 32
    Buttons = <
      item
        Caption = '&OK'
        ModalResult = 1
        Default = True
      end
      item
        Caption = '&Cancel'
        ModalResult = 2
        Cancel = True
      end
      item
        Caption = '&Help'
        OnClick = HelpClick
      end>
    TabOrder = 3
  end
  object ConfigFile: TConfigFile
    Mode = cmRegistry
    ShowLoadError = False
    ShowSaveError = False
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
end
