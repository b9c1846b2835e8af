object GreetingForm: TGreetingForm
  Left = 100
  Top = 80
  Caption = 'Begrüßung'
  ClientHeight = 120
  ClientWidth = 240
  object Button1: TButton
    Left = 8
    Top = 8
    Caption = '&Schließen'
    Hint = 'Fenster schließen'
    TabOrder = 0
    OnClick = Button1Click
  end
  object Label1: TLabel
    Left = 8
    Top = 40
    Caption = 'Willkommen'
  end
  object Memo1: TMemo
    Left = 8
    Top = 60
    Width = 200
    Height = 50
    Lines.Strings = (
      'Erste Zeile'
      'Zweite Zeile')
    TabOrder = 1
  end
  object Glotta1: TGlotta
  end
end
