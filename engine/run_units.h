// The units of measure of a run: the unit in force, the pixel densities of
// the output, the printer and the screen, the character cell and the scale,
// and the conversions between thousandths of an inch, output pixels, screen
// pixels and character cells that follow from them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/report_types.h"

namespace trx {

struct TRunUnits {
    // The unit in force: umTxt for text output, umPix otherwise.
    TUnitsOfMeasure CurUnits = TUnitsOfMeasure::umPix;
    // Pixels per inch of the output, the printer and the screen.
    TXyArray<int32_t> OutPixPerInch;
    TXyArray<int32_t> PrinterPixPerInch;
    TXyArray<int32_t> ScreenPixPerInch;
    // The size of one character cell, CharCell[Dir][Units]: the umPix
    // members measured in the canvas font of the printer set-up, the umTxt
    // members 1; the umThous members are not set.
    TEnumArray<TXyDir, TUnitsArray<int32_t>, 2> CharCell;
    // The scale of the output in per cent.
    int32_t ScalePct = 100;

    int CnvtPixToThous(int Pix, TXyDir Dir) const;
    int CnvtScrPixToOutPix(int Pix, TXyDir Dir) const;
    // Thousandths in Units (callers pass CurUnits); with AtLeastOne a
    // positive distance is never 0.
    int CnvtThousToUnits(int Thous, TUnitsOfMeasure Units, TXyDir Dir, bool AtLeastOne) const;
    // A stored distance in Units: text distances are stored in character
    // cells, the others in thousandths.
    int CnvtDistToUnits(int Dist, TUnitsOfMeasure Units, TXyDir Dir, bool AtLeastOne) const;
    int CnvtPixToUnits(int Pix, TXyDir Dir) const;
    // The unit texts of the options dialog.
    std::string GetUnitDisplayText(TXyDir Dir) const;
    std::string GetUnitText(TXyDir Dir) const;
    std::string GetUnitDisplayValue(int Value, TXyDir Dir) const;
};

} // namespace trx
