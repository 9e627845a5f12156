// Units of measure of a run: thousandths of an inch, output pixels, screen
// pixels and character cells; the printer look-up by name; unit texts.
#include "engine/run_units.h"

#include "engine/print_settings.h"
#include "engine/report_settings.h"
#include "engine/trx_errors.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "framework/printing/printer.h"

namespace trx {

int TPrintSettings::GetPageWidPix() const { return Printer()->PageWidth(); }
int TPrintSettings::GetPageHeightPix() const { return Printer()->PageHeight(); }

void TPrintSettings::SetUnits() { CurUnits = TextQuality() ? TUnitsOfMeasure::umTxt : TUnitsOfMeasure::umPix; }

void TPrintSettings::CalcPixPerInch() {
    if (!RecalcPixPerInch) return;
    ScreenPixPerInch[TXyDir::dX] = ScreenPixelsPerInch();
    ScreenPixPerInch[TXyDir::dY] = ScreenPixelsPerInch();
    PrinterPixPerInch[TXyDir::dX] = Printer()->PixelsPerInchX();
    PrinterPixPerInch[TXyDir::dY] = Printer()->PixelsPerInchY();
    OutPixPerInch = PrinterPixPerInch;
}

int TRunUnits::CnvtPixToThous(int Pix, TXyDir Dir) const {
    if (OutPixPerInch[Dir] == 0) return 0;
    return MulDiv(1000, Pix, OutPixPerInch[Dir]);
}

int TRunUnits::CnvtScrPixToOutPix(int Pix, TXyDir Dir) const {
    if (ScreenPixPerInch[Dir] == 0) return 0;
    return MulDiv(Pix, OutPixPerInch[Dir], ScreenPixPerInch[Dir]);
}

// A character cell of 0 pixels would divide by zero: the printer set-up
// always measures it before the first conversion to character cells.
static void ChkCharCell(int Cell, const char* Routine) {
    if (Cell <= 0)
        throw eTrxIntError(std::string(InternalErrorPrefix) + "[" + Routine + "] character cell is " +
                           std::to_string(Cell));
}

int TRunUnits::CnvtThousToUnits(int Thous, TUnitsOfMeasure Units, TXyDir Dir, bool AtLeastOne) const {
    if (Units == TUnitsOfMeasure::umPix) {
        int r = MulDiv(OutPixPerInch[Dir] * ScalePct, Thous, 10000) / 10;
        if (AtLeastOne && r == 0 && Thous > 0) r = 1;
        return r;
    }
    if (Thous <= 0) return 0;
    if (AtLeastOne) return 1;
    ChkCharCell(CharCell[Dir][TUnitsOfMeasure::umPix], "CnvtThousToUnits");
    return MulDiv(Thous, PrinterPixPerInch[Dir], CharCell[Dir][TUnitsOfMeasure::umPix] * 1000);
}

int TRunUnits::CnvtDistToUnits(int Dist, TUnitsOfMeasure Units, TXyDir Dir, bool AtLeastOne) const {
    if (Units == TUnitsOfMeasure::umTxt) return Dist;
    return CnvtThousToUnits(Dist, Units, Dir, AtLeastOne);
}

int TRunUnits::CnvtPixToUnits(int Pix, TXyDir Dir) const {
    if (CurUnits == TUnitsOfMeasure::umPix) return Pix;
    ChkCharCell(CharCell[Dir][TUnitsOfMeasure::umPix], "CnvtPixToUnits");
    return Pix / CharCell[Dir][TUnitsOfMeasure::umPix];
}

int TPrintSettings::GetPrinterNdx(const std::string& Name) {
    const TStrings& printers = Printer()->Printers();
    int ndx = printers.IndexOf(Name);
    if (ndx < 0 && !Trim(Name).empty()) {
        for (int i = 0; i < printers.Count(); ++i) {
            if (printers.Get(i).compare(0, Name.size(), Name) == 0) return i;
        }
    }
    return ndx;
}

void TPrintSettings::SetPrinterName(const std::string& Name) { Printer()->SetPrinterIndex(GetPrinterNdx(Name)); }

std::string TRunUnits::GetUnitText(TXyDir Dir) const {
    if (CurUnits == TUnitsOfMeasure::umPix) return "Pix";
    return Dir == TXyDir::dY ? "Lines" : "Chars";
}

std::string TRunUnits::GetUnitDisplayText(TXyDir Dir) const {
    if (CurUnits == TUnitsOfMeasure::umTxt) return Dir == TXyDir::dY ? " Lines" : " Chars";
    return "\"";
}

std::string TRunUnits::GetUnitDisplayValue(int Value, TXyDir Dir) const {
    if (CurUnits == TUnitsOfMeasure::umTxt) return IntToStr(Value);
    return Trim(Format("%7.2f", {CnvtPixToThous(Value, Dir) / 1000.0}));
}

} // namespace trx
