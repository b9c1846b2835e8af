object VersionInfoForm: TVersionInfoForm
  Left = 200
  Top = 120
  Caption = 'Xel Version Control'
  ClientHeight = 380
  ClientWidth = 760
  Menu = MainMenu
  OnCreate = FormCreate
  object List: TListView
    Left = 0
    Top = 0
    Width = 760
    Height = 361
    Align = alClient
    Columns = <
      item
        Caption = 'Unit'
        Width = 150
      end
      item
        Caption = 'Version'
        Width = 100
      end
      item
        Caption = 'Last change'
        Width = 150
      end
      item
        Caption = 'Last user'
        Width = 150
      end
      item
        Caption = 'Archives'
        Width = 200
      end>
    ReadOnly = True
    RowSelect = True
    ViewStyle = vsReport
    TabOrder = 0
    OnColumnClick = ListColumnClick
    OnCompare = ListCompare
    OnKeyDown = ListKeyDown
  end
  object StatusBar: TStatusBar
    Left = 0
    Top = 361
    Width = 760
    Height = 19
    Panels = <
      item
        Width = 200
      end
      item
        Width = 200
      end>
  end
  object MainMenu: TMainMenu
    object FileMenu: TMenuItem
      Caption = '&File'
      object SaveAsItem: TMenuItem
        Caption = '&Save as...'
        OnClick = SaveAsClick
      end
      object CloseItem: TMenuItem
        Caption = '&Close'
        ShortCut = 32856
        OnClick = CloseClick
      end
    end
  end
  object SaveDialog: TSaveDialog
    DefaultExt = 'ver'
    FileName = 'VerInf.txt'
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
    OnChange = GlottaChange
  end
end
