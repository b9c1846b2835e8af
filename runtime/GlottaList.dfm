object LanguageListForm: TLanguageListForm
  Left = 240
  Top = 140
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Language Select'
  ClientHeight = 380
  ClientWidth = 300
  Font.Height = -12
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 300
    Height = 36
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 0
    object BtnEnglishLangNames: TCheckBox
      Left = 8
      Top = 8
      Width = 284
      Height = 20
      Caption = 'Language names in English'
      TabOrder = 0
      OnClick = BtnEnglishLangNamesClick
    end
  end
  object ListBox: TListBox
    Left = 0
    Top = 36
    Width = 300
    Height = 296
    Align = alClient
    TabOrder = 1
    OnClick = ListBoxClick
    OnDblClick = ListBoxDblClick
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 332
    Width = 300
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    ButtonAlignment = baCenter
    ButtonDimX = 88
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
      end>
    TabOrder = 2
    OnButtonClick = ButtonPanelButtonClick
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
end
