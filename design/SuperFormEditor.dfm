object SuperFormEditorForm: TSuperFormEditorForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Window Size Limits'
  ClientHeight = 190
  ClientWidth = 344
  object MinGroup: TGroupBox
    Left = 8
    Top = 8
    Width = 160
    Height = 132
    Caption = 'Minimum Size'
    TabOrder = 0
    object MinEnabled: TCheckBox
      Left = 10
      Top = 20
      Width = 140
      Height = 17
      Caption = 'Enabled'
      TabOrder = 0
    end
    object MinWidthLabel: TLabel
      Left = 10
      Top = 48
      Width = 60
      Height = 16
      Caption = 'Width'
    end
    object MinWidth: TEdit
      Left = 76
      Top = 44
      Width = 74
      Height = 21
      TabOrder = 1
    end
    object MinHeightLabel: TLabel
      Left = 10
      Top = 74
      Width = 60
      Height = 16
      Caption = 'Height'
    end
    object MinHeight: TEdit
      Left = 76
      Top = 70
      Width = 74
      Height = 21
      TabOrder = 2
    end
    object MinCurrent: TButton
      Left = 10
      Top = 98
      Width = 140
      Height = 25
      Caption = 'Current Size'
      TabOrder = 3
      OnClick = MinCurrentClick
    end
  end
  object MaxGroup: TGroupBox
    Left = 176
    Top = 8
    Width = 160
    Height = 132
    Caption = 'Maximum Size'
    TabOrder = 1
    object MaxEnabled: TCheckBox
      Left = 10
      Top = 20
      Width = 140
      Height = 17
      Caption = 'Enabled'
      TabOrder = 0
    end
    object MaxWidthLabel: TLabel
      Left = 10
      Top = 48
      Width = 60
      Height = 16
      Caption = 'Width'
    end
    object MaxWidth: TEdit
      Left = 76
      Top = 44
      Width = 74
      Height = 21
      TabOrder = 1
    end
    object MaxHeightLabel: TLabel
      Left = 10
      Top = 74
      Width = 60
      Height = 16
      Caption = 'Height'
    end
    object MaxHeight: TEdit
      Left = 76
      Top = 70
      Width = 74
      Height = 21
      TabOrder = 2
    end
    object MaxCurrent: TButton
      Left = 10
      Top = 98
      Width = 140
      Height = 25
      Caption = 'Current Size'
      TabOrder = 3
      OnClick = MaxCurrentClick
    end
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 149
    Width = 344
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    ButtonDimX = 90
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
      end>
    TabOrder = 2
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
    Left = 300
    Top = 8
  end
end
