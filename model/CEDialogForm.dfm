object CEDialogForm: TCEDialogForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Select Components and Properties'
  ClientHeight = 365
  ClientWidth = 635
  OnCreate = FormCreate
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 324
    Width = 635
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
      end
      item
        Caption = '&Help'
      end>
    TabOrder = 1
    OnButtonClick = ButtonPanelButtonClick
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
    Left = 8
    Top = 8
  end
end
