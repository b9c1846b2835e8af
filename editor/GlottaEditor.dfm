object GlottaEditorForm: TGlottaEditorForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMaximize]
  Caption = 'Xel Glotta'
  ClientHeight = 434
  ClientWidth = 683
  Font.Height = -10
  Font.Name = 'MS Sans Serif'
  Menu = MainMenu
  OnActivate = FormActivate
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnResize = FormResize
  OnShow = FormShow
  object ToolBar: TToolBar
    Left = 0
    Top = 0
    Width = 683
    Height = 28
    ButtonHeight = 24
    ButtonWidth = 110
    Flat = True
    ShowCaptions = True
    ShowHint = True
    TabOrder = 0
    object BtnAccept: TToolButton
      Caption = 'Accept'
      Hint = 'Accept changes (Ctrl+S)'
      OnClick = ItemAcceptClick
    end
    object ToolButtonView: TToolButton
      Style = tbsSeparator
    end
    object BtnAutoSize: TToolButton
      Caption = 'Fit columns'
      Hint = 'Fit the column widths to the window'
      OnClick = ItemAutoSizeClick
    end
  end
  object Grid: TSortGrid
    Left = 0
    Top = 28
    Width = 683
    Height = 387
    Align = alClient
    ColCount = 2
    DefaultRowHeight = 20
    FixedCols = 0
    RowCount = 2
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing, goEditing, goTabs, goThumbTracking]
    TabOrder = 1
    OnKeyPress = GridKeyPress
    OnSelectCell = GridSelectCell
    OnSetEditText = GridSetEditText
    OnCellValidate = GridCellValidate
    OnColumnWidthsChanged = GridColumnWidthsChanged
    OnGetCellFormat = GridGetCellFormat
  end
  object StatusBar: TStatusBar
    Left = 0
    Top = 415
    Width = 683
    Height = 19
    Panels = <
      item
        Width = 150
      end
      item
        Width = 150
      end
      item
        Width = 150
      end
      item
        Width = 50
      end>
  end
  object MainMenu: TMainMenu
    object MenuFile: TMenuItem
      Caption = '&File'
      object ItemCommit: TMenuItem
        Caption = '&Accept changes'
        ShortCut = 16467
        OnClick = ItemAcceptClick
      end
      object ItemSep1: TMenuItem
        Caption = '-'
      end
      object ItemClose: TMenuItem
        Caption = '&Close'
        ShortCut = 32856
        OnClick = ItemCloseClick
      end
    end
    object MenuView: TMenuItem
      Caption = '&View'
      object ItemCompName: TMenuItem
        Caption = 'Name of &component'
        Checked = True
        OnClick = ItemViewClick
      end
      object ItemCompType: TMenuItem
        Caption = '&Type of component'
        OnClick = ItemViewClick
      end
      object ItemPropType: TMenuItem
        Caption = 'Type of &property'
        OnClick = ItemViewClick
      end
      object ItemPropDesc: TMenuItem
        Caption = 'Property &descriptor'
        Checked = True
        OnClick = ItemViewClick
      end
      object ItemStringID: TMenuItem
        Caption = '&String ID'
        Checked = True
        OnClick = ItemViewClick
      end
      object ItemSep2: TMenuItem
        Caption = '-'
      end
      object ItemAutoSize: TMenuItem
        Caption = '&Fit column widths'
        OnClick = ItemAutoSizeClick
      end
    end
    object MenuOptions: TMenuItem
      Caption = '&Options'
      object ItemAutoBackup: TMenuItem
        Caption = 'Automatic &backup'
        Checked = True
        OnClick = ItemOptionClick
      end
      object ItemSep3: TMenuItem
        Caption = '-'
      end
      object ItemEnglish: TMenuItem
        Caption = 'English'
        GroupIndex = 1
        RadioItem = True
        OnClick = ItemLanguageClick
      end
      object ItemDeutsch: TMenuItem
        Caption = 'Deutsch'
        GroupIndex = 1
        RadioItem = True
        OnClick = ItemLanguageClick
      end
    end
  end
  object Glotta: TGlotta
    TopLevel = True
    OnChange = GlottaChange
  end
  object GlottaSync: TGlotta
    Domain = '.Private Xel Domain'
  end
  object Config: TConfigFile
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\Designers\Glotta\Editor'
    SaveSuperFormState = True
    ShowLoadError = False
    ShowSaveError = False
    AfterLoad = ConfigAfterLoad
    AfterSave = ConfigAfterSave
  end
  object ConfigLang: TConfigFile
    Mode = cmRegistry
    RegistryPath = 'Software\Xel GbR\Designers'
    Section = 'Global'
    ShowLoadError = False
    ShowSaveError = False
  end
  object LogFile: TLogFile
    Directory = fdTemporary
    FileName = 'XelGlotta/Index.txt'
    TimeStamp = True
  end
  object OpenDialog: TOpenDialog
    DefaultExt = 'txt'
    FileName = 'Langs.txt'
    Filter = 'Text files (*.txt)|*.txt|All files (*.*)|*.*'
  end
  object SaveDialog: TSaveDialog
    DefaultExt = 'txt'
    FileName = 'Langs.txt'
    Filter = 'Text files (*.txt)|*.txt|All files (*.*)|*.*'
  end
  object FontDialog: TFontDialog
  end
end
