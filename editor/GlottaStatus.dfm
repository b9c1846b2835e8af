object GlottaStatusForm: TGlottaStatusForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMaximize]
  Caption = 'Import Status Messages'
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
    Caption = ' The following warnings and errors have occured.'
    TabOrder = 0
  end
  object Grid: TSortGrid
    Left = 0
    Top = 26
    Width = 592
    Height = 219
    Align = alClient
    ColCount = 3
    DefaultRowHeight = 20
    FixedCols = 0
    RowCount = 2
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing, goRowSelect, goThumbTracking]
    TabOrder = 1
  end
  object PanelMessage: TPanel
    Left = 0
    Top = 245
    Width = 592
    Height = 24
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 2
    object LabelWarnings: TLabel
      Left = 8
      Top = 4
      Width = 80
      Height = 16
      Caption = 'Warnings:'
    end
    object LabelWarningCount: TLabel
      Left = 96
      Top = 4
      Width = 60
      Height = 16
      Caption = '0'
    end
    object LabelErrors: TLabel
      Left = 176
      Top = 4
      Width = 80
      Height = 16
      Caption = 'Errors:'
    end
    object LabelErrorCount: TLabel
      Left = 264
      Top = 4
      Width = 60
      Height = 16
      Caption = '0'
    end
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
        Caption = '&OK'
        ModalResult = 1
        Cancel = True
        Default = True
      end
      item
        Caption = '&Save...'
        OnClick = ButtonPanelSaveClick
      end>
    TabOrder = 3
  end
  object SaveDialog: TSaveDialog
    DefaultExt = 'txt'
    Filter = 'Text files (*.txt)|*.txt|All files (*.*)|*.*'
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
end
