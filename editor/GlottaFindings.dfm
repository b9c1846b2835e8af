object GlottaFindingsForm: TGlottaFindingsForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMaximize]
  Caption = 'Check Translations'
  ClientHeight = 317
  ClientWidth = 592
  Position = poScreenCenter
  OnCreate = FormCreate
  object PanelTop: TPanel
    Left = 0
    Top = 0
    Width = 592
    Height = 26
    Align = alTop
    Alignment = taLeftJustify
    BevelOuter = bvNone
    TabOrder = 0
  end
  object Grid: TSortGrid
    Left = 0
    Top = 26
    Width = 592
    Height = 243
    Align = alClient
    ColCount = 4
    DefaultRowHeight = 20
    FixedCols = 0
    RowCount = 2
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing, goRowSelect, goThumbTracking]
    TabOrder = 1
    OnDblClick = GridDblClick
    OnKeyPress = GridKeyPress
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 269
    Width = 592
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    ButtonDimX = 128
    ButtonDimY = 32
    Buttons = <
      item
        Caption = '&Show Cell'
        Default = True
        OnClick = ButtonPanelShowClick
      end
      item
        Caption = '&Close'
        ModalResult = 2
        Cancel = True
      end>
    TabOrder = 2
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
end
