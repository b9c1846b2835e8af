object SampleForm: TSampleForm
  Left = 200
  Top = 120
  Width = 320
  Height = 160
  Caption = 'Sample'
  object NameLabel: TLabel
    Left = 16
    Top = 20
    Width = 40
    Height = 16
    Caption = 'Name:'
  end
  object NameEdit: TEdit
    Left = 72
    Top = 16
    Width = 220
    Height = 24
    Text = 'World'
  end
  object OkButton: TButton
    Left = 136
    Top = 72
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    OnClick = OkButtonClick
  end
  object CancelButton: TButton
    Left = 217
    Top = 72
    Width = 75
    Height = 25
    Caption = 'Cancel'
    Cancel = True
  end
end
