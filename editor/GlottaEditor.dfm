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
    Height = 36
    ButtonHeight = 32
    ButtonWidth = 32
    Flat = True
    ShowHint = True
    TabOrder = 0
    object BtnImport: TSpeedButton
      Left = 0
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Import language information...'
      Flat = True
      OnClick = ItemImportClick
    end
    object ToolButton1: TToolButton
      Left = 32
      Top = 2
      Width = 8
      Style = tbsSeparator
    end
    object BtnAddStr: TSpeedButton
      Left = 40
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Add a new string'
      Flat = True
      OnClick = ItemAddStrClick
    end
    object BtnDelEntry: TSpeedButton
      Left = 72
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Remove current entry'
      Flat = True
      NumGlyphs = 2
      OnClick = ItemDelEntryClick
    end
    object BtnSearch: TSpeedButton
      Left = 104
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Search entry...'
      Flat = True
      NumGlyphs = 2
      OnClick = ItemSearchClick
    end
    object BtnSearchAgain: TSpeedButton
      Left = 136
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Search entry again'
      Flat = True
      NumGlyphs = 2
      OnClick = ItemSearchAgainClick
    end
    object ToolButton2: TToolButton
      Left = 168
      Top = 2
      Width = 8
      Style = tbsSeparator
    end
    object BtnLangs: TSpeedButton
      Left = 176
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Edit languages...'
      Flat = True
      OnClick = ItemLangsClick
    end
    object ToolButtonProps: TToolButton
      Left = 208
      Top = 2
      Width = 8
      Style = tbsSeparator
    end
    object BtnProps: TSpeedButton
      Left = 216
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Select component properties...'
      Flat = True
      OnClick = ItemPropsClick
    end
    object ToolButton3: TToolButton
      Left = 248
      Top = 2
      Width = 8
      Style = tbsSeparator
    end
    object BtnAutoSize: TSpeedButton
      Left = 256
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Resize grid columns'
      Flat = True
      OnClick = ItemAutoSizeClick
    end
    object ToolButton4: TToolButton
      Left = 288
      Top = 2
      Width = 8
      Style = tbsSeparator
    end
    object BtnAccept: TSpeedButton
      Left = 296
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Accept changes'
      Flat = True
      NumGlyphs = 2
      OnClick = ItemAcceptClick
    end
    object BtnClose: TSpeedButton
      Left = 328
      Top = 2
      Width = 32
      Height = 32
      Hint = 'Close the component editor'
      Flat = True
      OnClick = ItemCloseClick
    end
  end
  object Grid: TSortGrid
    Left = 0
    Top = 36
    Width = 683
    Height = 379
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
    OnClick = GridClick
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
      object ItemImport: TMenuItem
        Caption = 'I&mport...'
        OnClick = ItemImportClick
      end
      object ItemExport: TMenuItem
        Caption = '&Export...'
        OnClick = ItemExportClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object ItemAutoBackup: TMenuItem
        Caption = '&Auto Backup'
        Checked = True
        OnClick = ItemOptionClick
      end
      object N2: TMenuItem
        Caption = '-'
      end
      object ItemCommit: TMenuItem
        Caption = '&Accept Changes'
        ShortCut = 16467
        OnClick = ItemAcceptClick
      end
      object ItemClose: TMenuItem
        Caption = 'E&xit'
        ShortCut = 32856
        OnClick = ItemCloseClick
      end
    end
    object MenuEdit: TMenuItem
      Caption = '&Edit'
      object ItemAddStr: TMenuItem
        Caption = '&Add String'
        ShortCut = 117
        OnClick = ItemAddStrClick
      end
      object N3: TMenuItem
        Caption = '-'
      end
      object ItemVerifyStrings: TMenuItem
        Caption = 'String Consistency &Check...'
        OnClick = ItemVerifyStringsClick
      end
      object ItemVerifyStringsAtStart: TMenuItem
        Caption = 'String Consistency Check at Dialog Start'
        Checked = True
        OnClick = ItemOptionClick
      end
      object ItemCheckTranslations: TMenuItem
        Caption = 'Check &Translations...'
        OnClick = ItemCheckTranslationsClick
      end
      object N4: TMenuItem
        Caption = '-'
      end
      object ItemDelEntry: TMenuItem
        Caption = '&Remove Entry'
        ShortCut = 119
        OnClick = ItemDelEntryClick
      end
    end
    object MenuSearch: TMenuItem
      Caption = '&Search'
      object ItemSearch: TMenuItem
        Caption = '&Search...'
        ShortCut = 16454
        OnClick = ItemSearchClick
      end
      object ItemSearchAgain: TMenuItem
        Caption = 'Search &Again'
        ShortCut = 114
        OnClick = ItemSearchAgainClick
      end
    end
    object MenuView: TMenuItem
      Caption = '&View'
      object ItemCompName: TMenuItem
        Caption = '&Name of Component'
        Checked = True
        OnClick = ItemViewTypeClick
      end
      object ItemCompType: TMenuItem
        Caption = '&Type of Component'
        OnClick = ItemViewTypeClick
      end
      object ItemPropType: TMenuItem
        Caption = 'Type of &Property'
        Checked = True
        OnClick = ItemViewTypeClick
      end
      object ItemPropDesc: TMenuItem
        Caption = 'Property &Descriptor/String ID'
        Checked = True
        OnClick = ItemViewTypeClick
      end
      object ItemStringID: TMenuItem
        Caption = '&String ID'
        Checked = True
        OnClick = ItemStringIDClick
      end
      object N5: TMenuItem
        Caption = '-'
      end
      object ItemAutoSize: TMenuItem
        Caption = '&Auto Size Grid Columns'
        ShortCut = 116
        OnClick = ItemAutoSizeClick
      end
    end
    object MenuSettings: TMenuItem
      Caption = '&Options'
      object ItemLangs: TMenuItem
        Caption = '&Languages...'
        OnClick = ItemLangsClick
      end
      object ItemProps: TMenuItem
        Caption = '&Properties...'
        ShortCut = 120
        OnClick = ItemPropsClick
      end
      object ItemSetup: TMenuItem
        Caption = '&Component Setup...'
        OnClick = ItemSetupClick
      end
      object ItemInitNewProps: TMenuItem
        Caption = 'Initialize &New Property Entries'
        OnClick = ItemInitNewPropsClick
      end
      object ItemCheckRules: TMenuItem
        Caption = 'Check &Rules'
        object ItemRuleMissing: TMenuItem
          Caption = '&Missing Translations'
          Checked = True
          OnClick = ItemCheckRuleClick
        end
        object ItemRulePlaceholders: TMenuItem
          Caption = '&Placeholders'
          Checked = True
          OnClick = ItemCheckRuleClick
        end
        object ItemRuleAccelerators: TMenuItem
          Caption = '&Accelerators (&&)'
          Checked = True
          OnClick = ItemCheckRuleClick
        end
        object ItemRuleBlanks: TMenuItem
          Caption = '&Leading and Trailing Blanks'
          Checked = True
          OnClick = ItemCheckRuleClick
        end
        object ItemRulePunctuation: TMenuItem
          Caption = 'Closing P&unctuation'
          Checked = True
          OnClick = ItemCheckRuleClick
        end
        object ItemRuleValue: TMenuItem
          Caption = '&Values the Property Accepts'
          Checked = True
          OnClick = ItemCheckRuleClick
        end
        object ItemRuleFit: TMenuItem
          Caption = '&Text Fits Its Control'
          Checked = True
          OnClick = ItemCheckRuleClick
        end
      end
      object N6: TMenuItem
        Caption = '-'
      end
      object ItemFont: TMenuItem
        Caption = '&Font...'
        OnClick = ItemFontClick
      end
      object ItemDefaultFont: TMenuItem
        Caption = '&Default Font'
        OnClick = ItemDefaultFontClick
      end
      object N7: TMenuItem
        Caption = '-'
      end
      object ItemEnglish: TMenuItem
        Caption = 'English'
        GroupIndex = 1
        RadioItem = True
        OnClick = ItemEnglishClick
      end
      object ItemGerman: TMenuItem
        Caption = 'Deutsch'
        GroupIndex = 1
        RadioItem = True
        OnClick = ItemGermanClick
      end
    end
    object MenuHelp: TMenuItem
      Caption = '&Help'
      object ItemHelp: TMenuItem
        Caption = '&Help'
        ShortCut = 112
        OnClick = ItemHelpClick
      end
      object N8: TMenuItem
        Caption = '-'
      end
      object ItemAbout: TMenuItem
        Caption = '&About...'
        Default = True
        OnClick = ItemAboutClick
      end
    end
    object MenuDebug: TMenuItem
      Caption = 'Debu&g'
      Visible = False
      object ItemShowSource: TMenuItem
        Caption = 'Show Source'
        ShortCut = 16507
        OnClick = ItemShowSourceClick
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
  object XelInfo: TXelInfo
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
