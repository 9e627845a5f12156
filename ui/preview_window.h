// The "Report Preview" window: one text page of the report at a time, laid
// out by the same page loop as a print, with a list of where each page row
// began so that any page seen before is laid out again from there.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/print_settings.h"
#include "framework/data/dataset.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/keys.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"

namespace trx {

struct TFormDesc;

enum class TPrtDirection : uint8_t { pdBwdDir, pdFwdDir, pdNoDir };

// Where the data stood when one page row (vertical page) began.
class TPrvwPageListData : public TObject {
public:
    ~TPrvwPageListData() override;

    int32_t PageNum = 0;
    TBookmark Bookmark;
    TPoint CurPosn;
    int32_t LineNum = 0;
};

// The saved starts of the page rows, in the order first reached.
class TPrvwPageList : public TPreviewPagePositions {
public:
    int FindPrvwPageNdx(int PageNum, bool Nearest) const;
    int SavePagePosition(int PageNum, bool CheckExisting);
    bool RestorePagePosition(const TPoint& Page, bool Nearest) override;
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<std::unique_ptr<TPrvwPageListData>> items_;
    // Page number to the index of its first item: the search of a page
    // costs the same far into a long report as at its start.
    std::map<int, int> firstNdx_;
};

class TfmPreview : public TForm {
public:
    explicit TfmPreview(TComponent* AOwner);
    ~TfmPreview() override;

    void FormCreate();
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormResize(TObject* Sender);
    void InitPReview();
    void DisplayPage();
    void PreviewPage(TPrtDirection Direction);
    void sbNextPageClick(TObject* Sender);
    void sbPrevPageClick(TObject* Sender);
    void sbFirstPageClick(TObject* Sender);
    void sbLastPageClick(TObject* Sender);
    void sbExitClick(TObject* Sender);
    bool ChkSettings();
    // The output controls go to the dialog, which derives its options; the
    // preview then shows what the dialog made of them.
    void SetOptions(TObject* Sender, bool All);
    void SetOptionsAfter();
    void cbxPrintWhatPagesClick(TObject* Sender);
    void cbxPrintWhatPagesDblClick(TObject* Sender);
    void itmCurrentPageClick(TObject* Sender);
    void itmPageRangeClick(TObject* Sender);
    void mnFileClick(TObject* Sender);
    void cbxOutputDestChange(TObject* Sender);
    void edOutputFileNameExit(TObject* Sender);
    void cbxIfOutputFileExistsChange(TObject* Sender);
    void sbPrinterSetupClick(TObject* Sender);
    void sbPrintClick(TObject* Sender);
    void itmReportOptionsClick(TObject* Sender);
    void itmMaximizedClick(TObject* Sender);
    void mnViewClick(TObject* Sender);
    // ---- The view ----
    void SetMemFontSize(int Size);
    void SetMemFontHt(int Height);
    void cmbZoomLevelExit(TObject* Sender);
    void cmbZoomLevelKeyPress(TObject* Sender, char& Key);
    void cmbZoomLevelChange(TObject* Sender);
    void cmbZoomLevelEnter(TObject* Sender);
    void cmbZoomLevelKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void itmZoomLevelClick(TObject* Sender);
    void sbAlignPgHtClick(TObject* Sender);
    void sbAlignPgWidClick(TObject* Sender);
    void memPreviewKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void memPreviewClick(TObject* Sender);
    void memPreviewKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void itmSelectAllClick(TObject* Sender);
    void itmCopyToClipBoardClick(TObject* Sender);
    void sbClipBoardClick(TObject* Sender);
    // The caret's line and column, both from 1, as "%5d:%4d".
    std::string FormatRowCol() const;

    // Shows the page typed as "Y" or "Y-X"; false (with a beep) when the
    // text is no page number.
    bool GotoPage(const std::string& PageText);

    TRX_FIELD(TPanel, paToolbar);
    TRX_FIELD(TPanel, paMsg);
    TRX_FIELD(TPanel, paDestination);
    TRX_FIELD(TPanel, paRowCol);
    TRX_FIELD(TPanel, paPageNum);
    TRX_FIELD(TMemo, memPreview);
    TRX_FIELD(TSpeedButton, sbExit);
    TRX_FIELD(TSpeedButton, sbFirstPage);
    TRX_FIELD(TSpeedButton, sbPrevPage);
    TRX_FIELD(TSpeedButton, sbNextPage);
    TRX_FIELD(TSpeedButton, sbLastPage);
    TRX_FIELD(TSpeedButton, sbPrint);
    TRX_FIELD(TComboBox, cbxPrintWhatPages);
    TRX_FIELD(TComboBox, cmbZoomLevel);
    TRX_FIELD(TEdit, edFromPageNum);
    TRX_FIELD(TEdit, edToPageNum);
    TRX_FIELD(TComboBox, cbxOutputDest);
    TRX_FIELD(TEdit, edOutputFileName);
    TRX_FIELD(TComboBox, cbxIfOutputFileExists);
    TRX_FIELD(TSpeedButton, sbPrinterSetup);
    TRX_FIELD(TButton, buBrowseFile);
    TRX_FIELD(TSpeedButton, sbAlignPgWid);
    TRX_FIELD(TSpeedButton, sbAlignPgHt);
    TRX_FIELD(TSpeedButton, sbClipBoard);
    TRX_FIELD(TMenuItem, itmCurrentPage);
    TRX_FIELD(TMenuItem, itmPageRange);
    TRX_FIELD(TMenuItem, itmMaximized);

    std::unique_ptr<TPrvwPageList> PageList;
    int LineHeight = 0;
    int BaseFontSize = 0;
    bool WantOptions = false;
    bool LastPageFound = false;
};

// The open preview window, else nullptr.
extern TfmPreview* fmPreview;

// The window's layout, which its constructor builds.
const TFormDesc& PreviewLayout();

// Runs one preview inside the options dialog; true when the options window
// is to follow.
bool Preview();

} // namespace trx
