object GlottaSetupForm: TGlottaSetupForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Component Setup'
  ClientHeight = 148
  ClientWidth = 536
  Position = poScreenCenter
  object GroupBoxSetup: TGroupBox
    Left = 8
    Top = 8
    Width = 520
    Height = 86
    Caption = 'Settings'
    TabOrder = 0
    object LabelDomain: TLabel
      Left = 16
      Top = 36
      Width = 64
      Height = 16
      Caption = 'Domain:'
    end
    object EditDomain: TComboBox
      Left = 88
      Top = 32
      Width = 280
      Height = 21
      TabOrder = 0
      OnChange = EditDomainChange
    end
    object BtnTopLevel: TCheckBox
      Left = 392
      Top = 34
      Width = 116
      Height = 20
      Caption = 'TopLevel'
      TabOrder = 1
    end
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 100
    Width = 536
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
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
    TabOrder = 1
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
end
