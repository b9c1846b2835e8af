object GlottaVerifyForm: TGlottaVerifyForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMaximize]
  Caption = 'Consistency Check of user-definied Strings'
  ClientHeight = 319
  ClientWidth = 940
  Position = poScreenCenter
  OnCreate = FormCreate
  object PanelTop: TPanel
    Left = 0
    Top = 0
    Width = 940
    Height = 26
    Align = alTop
    Alignment = taLeftJustify
    BevelOuter = bvNone
    TabOrder = 0
  end
  object ButtonPanel: TButtonPanel
    Left = 0
    Top = 271
    Width = 940
    Height = 48
    Align = alBottom
    BevelOuter = bvNone
    ButtonDimX = 128
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
        OnClick = HelpClick
      end>
    TabOrder = 1
  end
  object PanelAvail: TPanel
    Left = 640
    Top = 26
    Width = 220
    Height = 245
    Align = alRight
    BevelOuter = bvNone
    TabOrder = 2
    object LabelAvail: TLabel
      Left = 0
      Top = 0
      Width = 220
      Height = 20
      Align = alTop
      Caption = ' Available user-defined strings:'
    end
    object ListAvail: TListView
      Left = 0
      Top = 20
      Width = 220
      Height = 225
      Align = alClient
      Columns = <
        item
          Caption = 'String-ID'
          Width = 150
        end>
      ReadOnly = True
      RowSelect = True
      ViewStyle = vsReport
      TabOrder = 0
      OnSelectItem = ListSelectItem
    end
  end
  object Splitter: TSplitter
    Left = 636
    Top = 26
    Width = 4
    Height = 245
    Align = alRight
  end
  object PanelButtons: TPanel
    Left = 500
    Top = 26
    Width = 136
    Height = 245
    Align = alRight
    BevelOuter = bvNone
    TabOrder = 3
    object BtnUse: TButton
      Left = 8
      Top = 40
      Width = 120
      Height = 28
      Caption = '<- Use ID <-'
      TabOrder = 0
      OnClick = BtnUseClick
    end
    object BtnInsHint: TButton
      Left = 8
      Top = 76
      Width = 120
      Height = 28
      Caption = '<- Comment'
      TabOrder = 1
      OnClick = BtnInsHintClick
    end
    object BtnAdd: TButton
      Left = 8
      Top = 112
      Width = 120
      Height = 28
      Caption = '-> New ->'
      TabOrder = 2
      OnClick = BtnAddClick
    end
    object BtnUnused: TButton
      Left = 8
      Top = 148
      Width = 120
      Height = 28
      Caption = 'Unused...'
      TabOrder = 3
    end
  end
  object PanelErr: TPanel
    Left = 0
    Top = 26
    Width = 500
    Height = 245
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 4
    object LabelErr: TLabel
      Left = 0
      Top = 0
      Width = 500
      Height = 20
      Align = alTop
      Caption = ' Invalid string references:'
    end
    object ListErr: TListView
      Left = 0
      Top = 20
      Width = 500
      Height = 225
      Align = alClient
      Columns = <
        item
          Caption = 'Message'
          Width = 150
        end
        item
          Caption = 'String-ID/Text'
          Width = 125
        end
        item
          Caption = 'Action'
          Width = 125
        end>
      ReadOnly = True
      RowSelect = True
      ViewStyle = vsReport
      TabOrder = 0
      OnSelectItem = ListSelectItem
    end
  end
  object Config: TConfigFile
    Mode = cmRegistry
    ShowLoadError = False
    ShowSaveError = False
    AfterLoad = ConfigAfterLoad
    AfterSave = ConfigAfterSave
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
  end
end
