object CheckedForm: TCheckedForm
  Left = 0
  Top = 0
  Caption = 'Hello'
  ClientHeight = 110
  ClientWidth = 300
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Position = poScreenCenter
  object LabelGreeting: TLabel
    Left = 12
    Top = 12
    Width = 78
    Height = 13
    Caption = 'Hello, world!'
  end
  object ButtonGreet: TButton
    Left = 12
    Top = 72
    Width = 120
    Height = 25
    Caption = '&Greet'
    Color = clBtnFace
    TabOrder = 0
    TabStop = True
  end
  object LangCombo: TLangComboBox
    Left = 168
    Top = 74
    Width = 120
    Height = 21
    Glotta = Glotta
    Color = clBtnFace
    TabOrder = 1
  end
  object Glotta: TGlotta
    Language = 'English'
    LanguageManager_Langs = <
      item
        Name = 'English'
        SubIndex = 0
      end
      item
        Name = 'Deutsch'
        SubIndex = 1
      end>
    LanguageManager_Comps = <
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
            Count = 2
            Values = {
              090000000001000048616C6C6F}
          end>
        SubType = [stPubPropObject]
        Ref = Owner
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
            Count = 2
            Values = {
              100000000001000048616C6C6F2C2057656C7421}
          end>
        SubType = [stPubPropObject]
        Ref = LabelGreeting
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
            Count = 2
            Values = {
              0D00000000010000264772C3BCC39F656E}
          end>
        SubType = [stPubPropObject]
        Ref = ButtonGreet
      end
      item
        Items = <
          item
            Name = 'Resources'
            Items = <>
            Props = <
              item
                Name = 'Question'
                Kind = tkLString
                Index = 0
                Count = 2
                Values = {
                  200000000001000057656C636865205370726163686520737072656368656E20
                  5369653F}
              end>
            SubType = [stTStringsObject, stNoValidate]
          end>
        Props = <>
        SubType = [stPubPropObject]
        Ref = Glotta
      end>
    LanguageManager_Names = 'Question'#13#10
    LanguageManager_Values = 'Which language do you speak?'#13#10
  end
end
