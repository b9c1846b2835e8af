object MyMsgForm: TMyMsgForm
  Left = 200
  Top = 150
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  ClientHeight = 112
  ClientWidth = 472
  Font.Height = -12
  OnCloseQuery = FormCloseQuery
  object Image: TImage
    Left = 16
    Top = 16
    Width = 32
    Height = 32
    Center = True
  end
  object TextPanel: TPanel
    Left = 64
    Top = 16
    Width = 392
    Height = 32
    BevelOuter = bvNone
    TabOrder = 0
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 64
    Width = 472
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    ButtonAlignment = baCenter
    ButtonDimX = 128
    ButtonDimY = 32
    OnButtonClick = ButtonPanelButtonClick
  end
  object Glotta: TGlotta
  end
end
