// Positions in the object to print: the user's position, kept while a run
// moves through the object, and the bookmarks of the lines of a page row,
// replayed for every page across.
#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "framework/grids/tree_view.h"

namespace trx {

// ---- The user's position ---------------------------------------------------------

TObjPosn::TObjPosn() {
    DefineObj();
    SavePosn();
}

// Bookmarks are values: nothing to hand back to a dataset, which may be gone.
TObjPosn::~TObjPosn() = default;

void TObjPosn::DefineObj() {
    if (ObjInfo) {
        ObjType = ObjInfo->ObjType;
        Obj = ObjInfo->ObjectToPrint;
        DataSet = ObjInfo->DataSet;
    }
    Bookmark = TBookmark();
    Posn = TPoint{-1, -1};
}

void TObjPosn::SavePosn() {
    Posn = TPoint{-1, -1};
    if (ObjType == TObjType::IsOutline) {
        if (ObjInfo) Posn = ObjInfo->CurCell;
    } else if (ObjType == TObjType::IsTreeView) {
        if (auto* view = dynamic_cast<TTreeView*>(Obj)) TreeNode = view->Selected();
    } else if (IsDataSetKind(ObjType) && DataSet) {
        DataSet->FreeBookmark(Bookmark);
        if (DataSet->Active()) Bookmark = DataSet->GetBookmark();
    }
}

void TObjPosn::RestorePosn() {
    if (ObjType == TObjType::IsOutline) {
        if (ObjInfo) ObjInfo->CurCell = Posn;
    } else if (ObjType == TObjType::IsTreeView) {
        auto* view = dynamic_cast<TTreeView*>(Obj);
        // A node deleted since is not selected again.
        if (view && (!TreeNode || view->Items().Contains(TreeNode))) view->SetSelected(TreeNode);
    } else if (IsDataSetKind(ObjType) && DataSet && Bookmark) {
        // When the saved record is gone the dataset stays where it is: the
        // caller goes on to enable the application's controls again.
        try {
            if (DataSet->Active()) DataSet->GotoBookmark(Bookmark);
        } catch (const Exception&) {}
    }
}

// ---- Line bookmarks ----------------------------------------------------------------

void TBMLineList::FreeAllBookmarks() {
    while (!items_.empty()) items_.pop_back();
}

void TBMLineList::SaveRcdBookmark() {
    auto bm = std::make_unique<TBMData>();
    if (PrintSettings) bm->LineNum = PrintSettings->LineNum;
    if (ObjInfo) {
        if (IsDataSetKind(ObjInfo->ObjType)) {
            if (ObjInfo->DataSet && ObjInfo->DataSet->Active()) bm->Bookmark = ObjInfo->DataSet->GetBookmark();
        } else {
            bm->Posn = ObjInfo->CurCell;
        }
    }
    bm->TextRect = TRect{-1, -1, -1, -1};
    if (PrintSettings) {
        if (TextQuality()) {
            bm->TextRect.Top = PrintSettings->PrintRect.Top;
            bm->TextRect.Bottom = PrintSettings->PrintRect.Bottom;
        }
        bm->LinesUsed = PrintSettings->TextRect.Bottom - PrintSettings->TextRect.Top + 1;
    }
    items_.push_back(std::move(bm));
}

bool TBMLineList::GotoRcdBookMark(int Ndx, int& LinesUsed) {
    LinesUsed = -1;
    if (ObjInfo) ObjInfo->BookmarkFailed = false;
    if (Ndx < 0 || Ndx >= Count()) return false;
    const TBMData& bm = *items_[static_cast<std::size_t>(Ndx)];
    if (PrintSettings) PrintSettings->LineNum = bm.LineNum;
    if (ObjInfo) {
        if (IsDataSetKind(ObjInfo->ObjType)) {
            try {
                if (!ObjInfo->DataSet || !bm.Bookmark) throw EDatabaseError("Record not found");
                ObjInfo->DataSet->GotoBookmark(bm.Bookmark);
            } catch (const Exception&) {
                ObjInfo->BookmarkFailed = true;
            }
        } else {
            ObjInfo->CurCell = bm.Posn;
        }
    }
    if (PrintSettings) {
        // Only the line's vertical place was saved (text output); the page
        // keeps its own left and right edges.
        if (bm.TextRect.Top != -1 || bm.TextRect.Bottom != -1) {
            PrintSettings->PrintRect.Top = bm.TextRect.Top;
            PrintSettings->PrintRect.Bottom = bm.TextRect.Bottom;
        }
        PrintSettings->PrintRect.Bottom = PrintSettings->PrintRect.Top - 1;
    }
    LinesUsed = bm.LinesUsed;
    return true;
}

} // namespace trx
