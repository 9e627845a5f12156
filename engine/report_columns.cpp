// The report's column list: one descriptor per printable column of the
// object, in column order, with the line-number column inserted among them.
#include <algorithm>

#include "engine/obj_info.h"
#include "engine/print_settings.h"
#include "framework/core/strings.h"

namespace trx {

void TColsListData::Assign(const TColsListData* Source) {
    if (!Source || Source == this) return;
    *this = *Source;
}

void TObjInfo::MakeColsList(int& Cols) {
    for (int n = Start.X; n < Start.X + Cols; ++n) {
        // The line-number column (number -1) is not a column of the object.
        const bool listed = std::any_of(ColsList.begin(), ColsList.end(), [n](const auto& d) {
            return d->ColNdx == n && d->FldCalc != TFldCalc::fcLineNum;
        });
        if (listed) continue;
        auto d = std::make_unique<TColsListData>();
        const bool visible = GetFldNameNum(n, d->Name, d->FieldIndex, d->FieldType, d->DataSize, d->FldCalc);
        if (!visible || !IsFieldTypePrintable(d->FieldType)) continue;
        d->ColNdx = n;
        d->Print = true;
        auto at = std::find_if(ColsList.begin(), ColsList.end(),
                               [n](const auto& e) { return e->FldCalc != TFldCalc::fcLineNum && e->ColNdx > n; });
        ColsList.insert(at, std::move(d));
    }
    ResetColsList(true);
}

void TObjInfo::ResetColsList(bool ClearSamples) {
    AddDelLineNumberCol(false, -1, false);
    if (PrintSettings && PrintSettings->LineNumbersOn) AddDelLineNumberCol(true, LineNumColPos, false);
    for (int i = 0; i < ColCount(); ++i) {
        TColsListData& d = Col(i);
        for (TRegPlaneNdx plane :
             {TRegPlaneNdx::plAll, TRegPlaneNdx::plFirst, TRegPlaneNdx::plMiddle, TRegPlaneNdx::plLast}) {
            for (TUnitsOfMeasure u : {TUnitsOfMeasure::umPix, TUnitsOfMeasure::umTxt}) {
                d.StrWids[plane][u].Wid = 0;
                if (ClearSamples) d.StrWids[plane][u].Str.clear();
            }
        }
        d.XPos = 0;
        d.SpareLeft = 0;
        d.SpareRight = 0;
        d.TotalWid = 0;
        d.LeftLineX = 0;
        d.LeftLineWid = 0;
        d.EndX = 0;
        d.RightLineWid = 0;
        d.PageAcross = 0;
        d.FirstOnPage = false;
        d.LastOnPage = false;
        d.FirstOfPlane = false;
        d.LastOfPlane = false;
        d.XPlane = CnvtColNdxToXPlaneNdx(i);
    }
}

void TObjInfo::AddDelLineNumberCol(bool Add, int Pos, bool KeepFirst) {
    if (Add) {
        ColsListInsert(Pos, "~~#~~", "#", TFieldType::ftInteger, 4, TFldCalc::fcLineNum);
        return;
    }
    bool kept = false;
    for (auto it = ColsList.begin(); it != ColsList.end();) {
        if ((*it)->FldCalc == TFldCalc::fcLineNum) {
            if (KeepFirst && !kept) {
                kept = true;
                ++it;
                continue;
            }
            it = ColsList.erase(it);
        } else {
            ++it;
        }
    }
}

bool TObjInfo::ColsListInsert(int Pos, const std::string& Name, const std::string& Title, TFieldType FieldType,
                              int DataSize, TFldCalc FldCalc) {
    const auto place = [this](int P) { return ColsList.begin() + std::clamp(P, 0, ColCount()); };
    const int found = SearchColsList(Name);
    if (found < 0) {
        auto d = std::make_unique<TColsListData>();
        d->FieldType = FieldType;
        d->FldCalc = FldCalc;
        d->DataSize = DataSize;
        d->Name = Name;
        for (TUnitsOfMeasure u : {TUnitsOfMeasure::umPix, TUnitsOfMeasure::umTxt}) {
            d->StrWids[TRegPlaneNdx::plFirst][u].Str = Title;
            if (FldCalc == TFldCalc::fcLineNum) d->StrWids[TRegPlaneNdx::plMiddle][u].Str = GetMaxLineNumStr(false);
        }
        d->ColNdx = -1;
        d->FieldIndex = -1;
        d->XPlane = TRegPlaneNdx::plMiddle;
        d->Print = true;
        ColsList.insert(place(Pos), std::move(d));
        return true;
    }
    if (Col(found).FldCalc == TFldCalc::fcLineNum) {
        auto d = std::make_unique<TColsListData>();
        d->Assign(&Col(found));
        d->XPos = -1;
        ColsList.insert(place(Pos), std::move(d));
        return true;
    }
    TColsListData& d = Col(found);
    for (TUnitsOfMeasure u : {TUnitsOfMeasure::umPix, TUnitsOfMeasure::umTxt})
        d.StrWids[TRegPlaneNdx::plFirst][u].Str = Title;
    d.Name = Name;
    d.FieldType = FieldType;
    d.DataSize = DataSize;
    d.FldCalc = FldCalc;
    const int to = std::clamp(Pos, 0, ColCount() - 1);
    if (to != found) {
        auto moving = std::move(ColsList[static_cast<std::size_t>(found)]);
        ColsList.erase(ColsList.begin() + found);
        ColsList.insert(ColsList.begin() + to, std::move(moving));
    }
    return false;
}

int TObjInfo::SearchColsList(const std::string& Name) const {
    for (int i = 0; i < ColCount(); ++i)
        if (SameText(Col(i).Name, Name)) return i;
    return -1;
}

int TObjInfo::GetPageXColNum(int& PageX) const {
    if (ColsList.empty()) {
        PageX = 1;
        return -1;
    }
    if (PageX == 1) return 0;
    for (int i = 0; i < ColCount(); ++i)
        if (Col(i).PageAcross == PageX) return i;
    PageX = ColsList.back()->PageAcross;
    return ColCount() - 1;
}

} // namespace trx
