// The settings of a report: one row each, in the order in which the
// settings file writes them. This file is the field table; adding a setting
// is adding its row here.
//
// A row reads TRX_SETTING(Key, columns of TrsfField): the key (an
// identifier; it also names the row's TrsfFld value, rsf + key), its type,
// its field with the field's conversion, and its default text, or the
// function that computes a default that depends on the run. Field<> reaches
// a member of the record, UnitField<> one member of a per-unit triple,
// MemoField<> a property of a memo (the row then stands for eight keys,
// "Memo," + memo name + "," + key, written after the report's own settings,
// memo by memo) and StyleOpt<> the on-flag of a style option of RptStyles.
// A field converts by its type: bool, integer, point, rectangle and
// date-time as they are; an enumeration held in a byte as an ordinal below
// its count (Ordinal<>), a stored ordinal out of range taking the default;
// a text either as it stands (AsIs, an empty text stays empty) or as
// TextDflt, where an empty text takes the default.
//
// No include guard: settings_fields.h includes the rows for the names of
// TrsfFld and settings_field_table.cpp for the table, each with its own
// TRX_SETTING.

// clang-format off
TRX_SETTING(CreatedAtRuntime, .Typ = B, .Field = Field<&Rec::CreatedAtRuntime>(), .Default = "0")
TRX_SETTING(ComponentDeleted, .Typ = B, .Field = Field<&Rec::ComponentDeleted>(), .Default = "0")
TRX_SETTING(StyleName, .Typ = S, .Field = Field<&Rec::StyleName, AsIs>(), .Default = "")
// Typed as a text, stored as the ordinal.
TRX_SETTING(OutputDest, .Typ = S, .Field = Field<&Rec::OutputDest, Ordinal<4>>(), .Default = "0")
TRX_SETTING(PrintWhat, .Typ = I, .Field = Field<&Rec::PrintWhat, Ordinal<7>>(), .Default = "0")
TRX_SETTING(SnapShotSize, .Typ = S, .Field = Field<&Rec::SnapShotSize, AsIs>(), .Default = "CT")
TRX_SETTING(StartingReportLineId, .Typ = I, .Field = Field<&Rec::StartingReportLineId>(), .Default = "1")
TRX_SETTING(PageRangeFrom, .Typ = P, .Field = Field<&Rec::PageRangeFrom>(), .Default = "0,1")
TRX_SETTING(PageRangeTo, .Typ = P, .Field = Field<&Rec::PageRangeTo>(), .Default = "0,99999")
TRX_SETTING(SettingsReadOnly, .Typ = B, .Field = Field<&Rec::SettingsReadOnly>(), .Default = "0")
TRX_SETTING(PreviewFirst, .Typ = B, .Field = Field<&Rec::PreviewFirst>(), .Default = "1")
TRX_SETTING(CountNumRcds, .Typ = B, .Field = Field<&Rec::CountNumRcds>(), .RunDefault = CountNumRcdsDflt)
TRX_SETTING(RcdEstimate, .Typ = I, .Field = Field<&Rec::RcdEstimate>(), .Default = "100000")
TRX_SETTING(UseReportViewer, .Typ = B, .Field = Field<&Rec::UseReportViewer>(), .Default = "0")
TRX_SETTING(AppendToFile, .Typ = B, .Field = Field<&Rec::AppendToFile>(), .Default = "0")
TRX_SETTING(ShrinkToPage, .Typ = B, .Field = Field<&Rec::ShrinkToPage>(), .Default = "1")
TRX_SETTING(ExpandToPage, .Typ = B, .Field = Field<&Rec::ExpandToPage>(), .Default = "0")
TRX_SETTING(ShowHint, .Typ = B, .Field = Field<&Rec::ShowHint>(), .Default = "1")
TRX_SETTING(RepeatRowTitles, .Typ = B, .Field = Field<&Rec::RepeatRowTitles>(), .Default = "0")
TRX_SETTING(ExportOnlyPrintableChrs, .Typ = B, .Field = Field<&Rec::ExportOnlyPrintableChrs>(), .Default = "1")
TRX_SETTING(DefaultPrinter, .Typ = B, .Field = Field<&Rec::DefaultPrinter>(), .Default = "1")
TRX_SETTING(PrinterName, .Typ = S, .Field = Field<&Rec::PrinterName, AsIs>(), .Default = "")
TRX_SETTING(PauseAfterPrinting, .Typ = B, .Field = Field<&Rec::PauseAfterPrinting>(), .Default = "1")
TRX_SETTING(DisplayProgressWindow, .Typ = B, .Field = Field<&Rec::DisplayProgressWindow>(), .Default = "1")
TRX_SETTING(HiddenTabs, .Typ = S, .Field = Field<&Rec::HiddenTabs, TextDflt>(), .Default = "")
TRX_SETTING(DisplayReportOptionsWin, .Typ = B, .Field = Field<&Rec::DisplayReportOptionsWin>(), .Default = "1")
TRX_SETTING(CloseWinAfterPrinting, .Typ = B, .Field = Field<&Rec::CloseWinAfterPrinting>(), .Default = "0")
TRX_SETTING(PanelsAcrossPage, .Typ = I, .Field = Field<&Rec::PanelsAcrossPage>(), .Default = "1")
TRX_SETTING(InterPanelGapThous, .Typ = I, .Field = UnitField<&Rec::InterPanelGap, U::umThous>(), .Default = "250")
TRX_SETTING(InterPanelGapTxt, .Typ = I, .Field = UnitField<&Rec::InterPanelGap, U::umTxt>(), .Default = "1")
TRX_SETTING(NodeIndentation, .Typ = I, .Field = Field<&Rec::NodeIndentation>(), .Default = "2")
TRX_SETTING(HorizLineFreq, .Typ = I, .Field = Field<&Rec::HorizLineFreq>(), .Default = "0")
TRX_SETTING(VertHtAdjPer, .Typ = I, .Field = Field<&Rec::VertHtAdjPer>(), .Default = "100")
TRX_SETTING(LinesPerpage, .Typ = I, .Field = Field<&Rec::LinesPerpage>(), .Default = "60")
TRX_SETTING(TxtCharsPageWid, .Typ = I, .Field = Field<&Rec::TxtCharsPageWid>(), .Default = "80")
TRX_SETTING(PageMarginThous, .Typ = R, .Field = UnitField<&Rec::PageMargin, U::umThous>(), .Default = "250,250,250,250")
TRX_SETTING(CellMarginThous, .Typ = R, .Field = UnitField<&Rec::CellMargin, U::umThous>(), .Default = "0,0,0,0")
TRX_SETTING(PageMarginTxt, .Typ = R, .Field = UnitField<&Rec::PageMargin, U::umTxt>(), .Default = "0,1,0,0")
TRX_SETTING(CellMarginTxt, .Typ = R, .Field = UnitField<&Rec::CellMargin, U::umTxt>(), .Default = "1,0,0,0")
TRX_SETTING(MaxStringColWidThous, .Typ = I, .Field = UnitField<&Rec::MaxStringColWid, U::umThous>(), .Default = "2000")
TRX_SETTING(MaxMemoColWidThous, .Typ = I, .Field = UnitField<&Rec::MaxMemoColWid, U::umThous>(), .Default = "2000")
TRX_SETTING(MaxStringColWidTxt, .Typ = I, .Field = UnitField<&Rec::MaxStringColWid, U::umTxt>(), .Default = "20")
TRX_SETTING(MaxMemoColWidTxt, .Typ = I, .Field = UnitField<&Rec::MaxMemoColWid, U::umTxt>(), .Default = "20")
TRX_SETTING(MaxStringLines, .Typ = I, .Field = Field<&Rec::MaxStringLines>(), .Default = "2")
TRX_SETTING(MaxMemoLines, .Typ = I, .Field = Field<&Rec::MaxMemoLines>(), .Default = "2")
TRX_SETTING(ExportMaxStrLng, .Typ = I, .Field = Field<&Rec::ExportMaxStrLng>(), .Default = "100")
TRX_SETTING(ExportMaxMemoLng, .Typ = I, .Field = Field<&Rec::ExportMaxMemoLng>(), .Default = "100")
TRX_SETTING(Snugfit, .Typ = I, .Field = Field<&Rec::Snugfit, Ordinal<3>>(), .Default = "1")
TRX_SETTING(MaxRowsToSnugfit, .Typ = I, .Field = Field<&Rec::MaxRowsToSnugfit>(), .Default = "100")
TRX_SETTING(LargestFontSize, .Typ = I, .Field = Field<&Rec::LargestFontSize>(), .Default = "20")
TRX_SETTING(SmallestFontSize, .Typ = I, .Field = Field<&Rec::SmallestFontSize>(), .Default = "6")
TRX_SETTING(PreviewZoomLevel, .Typ = I, .Field = Field<&Rec::PreviewZoomLevel>(), .Default = "100")
TRX_SETTING(FastPrinterText, .Typ = B, .Field = Field<&Rec::FastPrinterText>(), .Default = "0")
TRX_SETTING(AllowFastPrinterText, .Typ = B, .Field = Field<&Rec::AllowFastPrinterText>(), .Default = "0")
// The quality keeps its whole byte: a graphic quality (2 or more) must reach
// the set-up, which refuses it.
TRX_SETTING(OutputQuality, .Typ = I, .Field = Field<&Rec::OutputQuality, Ordinal<256>>(), .Default = "1")
TRX_SETTING(IfOutputFileExists, .Typ = I, .Field = Field<&Rec::IfOutputFileExists, Ordinal<3>>(), .Default = "0")
TRX_SETTING(Orientation, .Typ = I, .Field = Field<&Rec::Orientation, Ordinal<3>>(), .Default = "0")
TRX_SETTING(ReportAlignment, .Typ = I, .Field = Field<&Rec::ReportAlignment, Ordinal<3>>(), .Default = "2")
TRX_SETTING(ColTitleAlignment, .Typ = I, .Field = Field<&Rec::ColTitleAlignment, Ordinal<3>>(), .Default = "2")
TRX_SETTING(DMPaperSize, .Typ = I, .Field = Field<&Rec::DMPaperSize>(), .Default = "0")
TRX_SETTING(DMCopies, .Typ = I, .Field = Field<&Rec::DMCopies>(), .Default = "0")
TRX_SETTING(DMDuplex, .Typ = I, .Field = Field<&Rec::DMDuplex>(), .Default = "0")
TRX_SETTING(DMCollate, .Typ = I, .Field = Field<&Rec::DMCollate>(), .Default = "0")
TRX_SETTING(TextFontName, .Typ = S, .Field = Field<&Rec::TextFontName, TextDflt>(), .Default = "Letter Gothic Line")
TRX_SETTING(TextFontSize, .Typ = I, .Field = Field<&Rec::TextFontSize>(), .Default = "10")
TRX_SETTING(TextFontStyle, .Typ = I, .Field = Field<&Rec::TextFontStyle>(), .Default = "0")
TRX_SETTING(TextFontColor, .Typ = I, .Field = Field<&Rec::TextFontColor>(), .Default = "0")
TRX_SETTING(ReplFontName, .Typ = S, .Field = Field<&Rec::ReplFontName, TextDflt>(), .Default = "Arial")
TRX_SETTING(ReplFontSize, .Typ = I, .Field = Field<&Rec::ReplFontSize>(), .Default = "10")
TRX_SETTING(ReplFontStyle, .Typ = I, .Field = Field<&Rec::ReplFontStyle>(), .Default = "0")
TRX_SETTING(ReplFontColor, .Typ = I, .Field = Field<&Rec::ReplFontColor>(), .Default = "0")
TRX_SETTING(ExportFieldDelim, .Typ = S, .Field = Field<&Rec::ExportFieldDelim, TextDflt>(), .Default = "\t")
TRX_SETTING(ExportQuote, .Typ = S, .Field = Field<&Rec::ExportQuote, TextDflt>(), .Default = "\"")
// Written on every save that falls in another second than the table's making.
TRX_SETTING(CreateDate, .Typ = D, .Field = Field<&Rec::CreateDate>(), .RunDefault = CreateDateDflt)
TRX_SETTING(LastSaveDate, .Typ = D, .Field = Field<&Rec::LastSaveDate>(), .Default = "")
TRX_SETTING(ReportDesc, .Typ = S, .Field = Field<&Rec::ReportDesc, AsIs>(), .Default = "")
TRX_SETTING(RptPW, .Typ = S, .Field = Field<&Rec::RptPW, AsIs>(), .Default = "")
TRX_SETTING(RptOptPW, .Typ = S, .Field = Field<&Rec::RptOptPW, AsIs>(), .Default = "")
TRX_SETTING(RptSetUpPW, .Typ = S, .Field = Field<&Rec::RptSetUpPW, AsIs>(), .Default = "")
TRX_SETTING(OutputFileName, .Typ = S, .Field = Field<&Rec::OutputFileName, TextDflt>(), .RunDefault = OutputFileDflt)
TRX_SETTING(MemoDateFormatStr, .Typ = S, .Field = Field<&Rec::MemoDateFormatStr, TextDflt>(), .Default = "")
TRX_SETTING(MemoTimeFormatStr, .Typ = S, .Field = Field<&Rec::MemoTimeFormatStr, TextDflt>(), .Default = "")
TRX_SETTING(MemoPageFormatStr, .Typ = S, .Field = Field<&Rec::MemoPageFormatStr, TextDflt>(), .Default = "")
TRX_SETTING(InitPrinterStr, .Typ = S, .Field = Field<&Rec::InitPrinterStr, TextDflt>(), .Default = "")
TRX_SETTING(FinishPrinterStr, .Typ = S, .Field = Field<&Rec::FinishPrinterStr, TextDflt>(), .Default = "#12")
TRX_SETTING(soFieldFormat, .Typ = B, .Field = StyleOpt<So::soFieldFormat>(), .Default = "1")
TRX_SETTING(soVerticalLines, .Typ = B, .Field = StyleOpt<So::soVerticalLines>(), .Default = "1")
TRX_SETTING(soHorizontalLines, .Typ = B, .Field = StyleOpt<So::soHorizontalLines>(), .Default = "0")
TRX_SETTING(soBorders, .Typ = B, .Field = StyleOpt<So::soBorders>(), .Default = "1")
TRX_SETTING(soShareAdjBorders, .Typ = B, .Field = StyleOpt<So::soShareAdjBorders>(), .Default = "1")
TRX_SETTING(soColumnTitles, .Typ = B, .Field = StyleOpt<So::soColumnTitles>(), .Default = "1")
TRX_SETTING(soColumnTotals, .Typ = B, .Field = StyleOpt<So::soColumnTotals>(), .Default = "1")
TRX_SETTING(soRowTitles, .Typ = B, .Field = StyleOpt<So::soRowTitles>(), .Default = "1")
TRX_SETTING(soRowTotals, .Typ = B, .Field = StyleOpt<So::soRowTotals>(), .Default = "1")
TRX_SETTING(soFormFeeds, .Typ = B, .Field = StyleOpt<So::soFormFeeds>(), .Default = "1")
TRX_SETTING(soLineNumbers, .Typ = B, .Field = StyleOpt<So::soLineNumbers>(), .RunDefault = LineNumbersDflt)
TRX_SETTING(soExpandAllNodes, .Typ = B, .Field = StyleOpt<So::soExpandAllNodes>(), .Default = "1")
TRX_SETTING(soGrpBrkLines, .Typ = B, .Field = StyleOpt<So::soGrpBrkLines>(), .RunDefault = GrpBrkLinesDflt)
TRX_SETTING(MemoXPosPer, .Typ = I, .Field = MemoField<&TRptMemo::XPosPer>(), .Default = "10")
TRX_SETTING(MemoWidPer, .Typ = I, .Field = MemoField<&TRptMemo::WidPer>(), .Default = "80")
TRX_SETTING(MemoMarginThous, .Typ = R, .Field = MemoField<&TRptMemo::MarginThous>(), .Default = "0,0,0,0")
TRX_SETTING(MemoMarginTxt, .Typ = R, .Field = MemoField<&TRptMemo::MarginTxt>(), .Default = "0,0,0,0")
TRX_SETTING(MemoAlignment, .Typ = I, .Field = MemoField<&TRptMemo::Alignment, Ordinal<3>>(), .Default = "2")
TRX_SETTING(MemoVisible, .Typ = B, .Field = MemoField<&TRptMemo::Visible>(), .Default = "1")
TRX_SETTING(MemoFontName, .Typ = S, .Field = MemoField<&TRptMemo::FontName, TextDflt>(), .Default = "Arial")
TRX_SETTING(MemoFontSize, .Typ = I, .Field = MemoField<&TRptMemo::FontSize>(), .Default = "12")
TRX_SETTING(MemoFontStyle, .Typ = I, .Field = MemoField<&TRptMemo::FontStyle>(), .Default = "0")
TRX_SETTING(MemoFontColor, .Typ = I, .Field = MemoField<&TRptMemo::FontColor>(), .Default = "0")
// clang-format on
