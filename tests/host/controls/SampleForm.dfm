object SampleForm: TSampleForm
  Left = 100
  Top = 80
  BorderStyle = bsDialog
  Caption = 'Sample'
  ClientHeight = 200
  ClientWidth = 300
  Menu = MainMenu1
  Position = poScreenCenter
  OnCreate = FormCreate
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = '&Name:'
    FocusControl = Edit1
  end
  object Edit1: TEdit
    Left = 60
    Top = 8
    TabOrder = 0
    Text = 'initial'
  end
  object Memo1: TMemo
    Left = 8
    Top = 40
    Width = 200
    Height = 80
    Lines.Strings = (
      'first line'
      'second line')
    TabOrder = 1
  end
  object Combo1: TComboBox
    Left = 8
    Top = 130
    Style = csDropDownList
    TabOrder = 2
    OnChange = ComboChange
    Items.Strings = (
      'English'
      'Deutsch'
      'Français')
    ItemIndex = 1
  end
  object OkButton: TButton
    Left = 136
    Top = 168
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object CancelButton: TButton
    Left = 216
    Top = 168
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
  object MainMenu1: TMainMenu
    Left = 264
    Top = 8
    object FileMenu: TMenuItem
      Caption = '&File'
      object SaveItem: TMenuItem
        Caption = '&Save'
        ShortCut = 16467
        OnClick = SaveClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object ExitItem: TMenuItem
        Caption = 'E&xit'
        Enabled = False
        ShortCut = 32856
        OnClick = ExitClick
      end
    end
  end
end
