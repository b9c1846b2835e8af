object ComponentExplorerForm: TComponentExplorerForm
  Left = 0
  Top = 0
  BorderStyle = bsNone
  Caption = 'Component Explorer'
  ClientHeight = 324
  ClientWidth = 635
  OnResize = FormResize
  object PanelBottom: TPanel
    Left = 0
    Top = 258
    Width = 635
    Height = 66
    Align = alBottom
    BevelOuter = bvNone
    BorderWidth = 4
    TabOrder = 3
    object GroupSort: TGroupBox
      Left = 421
      Top = 4
      Width = 210
      Height = 58
      Align = alRight
      Caption = 'Sort tree views by'
      TabOrder = 1
      object BtnByName: TRadioButton
        Left = 10
        Top = 16
        Width = 192
        Height = 17
        Caption = 'Name of component'
        Checked = True
        TabOrder = 0
        TabStop = True
        OnClick = SortClick
      end
      object BtnByType: TRadioButton
        Left = 10
        Top = 35
        Width = 192
        Height = 17
        Caption = 'Type of component'
        TabOrder = 1
        TabStop = True
        OnClick = SortClick
      end
    end
    object GroupFilter: TGroupBox
      Left = 4
      Top = 4
      Width = 413
      Height = 58
      Align = alClient
      Caption = 'Property filter'
      TabOrder = 0
      object BtnCaption: TCheckBox
        Left = 10
        Top = 16
        Width = 70
        Height = 17
        Caption = 'Caption'
        TabOrder = 0
        TabStop = True
        OnClick = FilterClick
      end
      object BtnHint: TCheckBox
        Tag = 1
        Left = 82
        Top = 16
        Width = 52
        Height = 17
        Caption = 'Hint'
        TabOrder = 1
        TabStop = True
        OnClick = FilterClick
      end
      object BtnStrings: TCheckBox
        Tag = 2
        Left = 136
        Top = 16
        Width = 68
        Height = 17
        Caption = 'Strings'
        TabOrder = 2
        TabStop = True
        OnClick = FilterClick
      end
      object BtnText: TCheckBox
        Tag = 3
        Left = 206
        Top = 16
        Width = 52
        Height = 17
        Caption = 'Text'
        TabOrder = 3
        TabStop = True
        OnClick = FilterClick
      end
      object BtnAll: TCheckBox
        Tag = 5
        Left = 260
        Top = 16
        Width = 46
        Height = 17
        Caption = 'All'
        TabOrder = 4
        TabStop = True
        OnClick = FilterClick
      end
      object BtnAssigned: TCheckBox
        Tag = 6
        Left = 308
        Top = 16
        Width = 96
        Height = 17
        Caption = 'Assigned'
        TabOrder = 5
        TabStop = True
        OnClick = FilterClick
      end
      object BtnUser: TCheckBox
        Tag = 4
        Left = 10
        Top = 36
        Width = 17
        Height = 17
        TabOrder = 6
        TabStop = True
        OnClick = FilterClick
      end
      object EditFilter: TEdit
        Left = 30
        Top = 34
        Width = 374
        Height = 20
        TabOrder = 7
        TabStop = True
        OnChange = EditFilterChange
        OnExit = EditFilterExit
        OnKeyDown = EditFilterKeyDown
      end
    end
  end
  object PanelSource: TPanel
    Left = 0
    Top = 0
    Width = 262
    Height = 258
    Align = alLeft
    BevelOuter = bvNone
    BorderWidth = 4
    TabOrder = 0
    object LabelSource: TLabel
      Left = 4
      Top = 4
      Width = 254
      Height = 16
      Align = alTop
      AutoSize = False
      Caption = 'Available properties:'
    end
    object PanelLValue: TPanel
      Left = 4
      Top = 20
      Width = 254
      Height = 24
      Align = alTop
      BevelOuter = bvNone
      TabOrder = 0
      object EditLValue: TEdit
        Left = 0
        Top = 0
        Width = 254
        Height = 21
        ReadOnly = True
        TabOrder = 0
        TabStop = False
      end
    end
    object TreeSource: TTreeView
      Left = 4
      Top = 44
      Width = 254
      Height = 210
      Align = alClient
      HideSelection = False
      ReadOnly = True
      ShowRoot = False
      TabOrder = 1
      TabStop = True
      OnChange = TreeChange
      OnCollapsing = TreeCollapsing
      OnDblClick = TreeSourceDblClick
    end
  end
  object PanelButtons: TPanel
    Left = 262
    Top = 0
    Width = 111
    Height = 258
    Align = alLeft
    BevelOuter = bvNone
    TabOrder = 1
    object BtnAddProp: TButton
      Left = 4
      Top = 64
      Width = 103
      Height = 25
      Caption = '&Add >'
      Enabled = False
      TabOrder = 0
      TabStop = True
      OnClick = BtnAddPropClick
    end
    object BtnDelProp: TButton
      Left = 4
      Top = 96
      Width = 103
      Height = 25
      Caption = '< &Remove'
      Enabled = False
      TabOrder = 1
      TabStop = True
      OnClick = BtnDelPropClick
    end
    object BtnAddAllProps: TButton
      Left = 4
      Top = 144
      Width = 103
      Height = 25
      Caption = 'Add All >>'
      Enabled = False
      TabOrder = 2
      TabStop = True
      OnClick = BtnAddAllPropsClick
    end
    object BtnDelAllProps: TButton
      Left = 4
      Top = 176
      Width = 103
      Height = 25
      Caption = '<< Remove All'
      Enabled = False
      TabOrder = 3
      TabStop = True
      OnClick = BtnDelAllPropsClick
    end
  end
  object PanelDest: TPanel
    Left = 373
    Top = 0
    Width = 262
    Height = 258
    Align = alClient
    BevelOuter = bvNone
    BorderWidth = 4
    TabOrder = 2
    object LabelDest: TLabel
      Left = 4
      Top = 4
      Width = 254
      Height = 16
      Align = alTop
      AutoSize = False
      Caption = 'Selected properties:'
    end
    object PanelRValue: TPanel
      Left = 4
      Top = 20
      Width = 254
      Height = 24
      Align = alTop
      BevelOuter = bvNone
      TabOrder = 0
      object EditRValue: TEdit
        Left = 0
        Top = 0
        Width = 254
        Height = 21
        ReadOnly = True
        TabOrder = 0
        TabStop = False
      end
    end
    object TreeDest: TTreeView
      Left = 4
      Top = 44
      Width = 254
      Height = 210
      Align = alClient
      HideSelection = False
      ReadOnly = True
      ShowRoot = False
      TabOrder = 1
      TabStop = True
      OnChange = TreeChange
      OnCollapsing = TreeCollapsing
    end
  end
  object TimerRefresh: TTimer
    Enabled = False
    OnTimer = TimerRefreshTimer
    Left = 8
    Top = 8
  end
  object Glotta: TGlotta
    Domain = '.Private Xel Domain'
    Left = 40
    Top = 8
  end
end
