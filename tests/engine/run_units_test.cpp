#include <gtest/gtest.h>

#include "engine/print_settings.h"
#include "engine/run_scope.h"
#include "engine/trx_errors.h"
#include "framework/printing/virtual_printer.h"

using namespace trx;

namespace {

class RunUnitsTest : public ::testing::Test {
protected:
    TRunUnits Units;

    void Densities(int OutPpi, int PrinterPpi, int CellPix) {
        Units.OutPixPerInch[TXyDir::dX] = OutPpi;
        Units.PrinterPixPerInch[TXyDir::dX] = PrinterPpi;
        Units.CharCell[TXyDir::dX][TUnitsOfMeasure::umPix] = CellPix;
        Units.CharCell[TXyDir::dX][TUnitsOfMeasure::umTxt] = 1;
    }
};

TEST_F(RunUnitsTest, ThousandthsToOutputPixelsScaleAndTruncate) {
    Densities(300, 300, 25);
    EXPECT_EQ(Units.CnvtThousToUnits(250, TUnitsOfMeasure::umPix, TXyDir::dX, false), 75);
    Units.ScalePct = 50;
    EXPECT_EQ(Units.CnvtThousToUnits(250, TUnitsOfMeasure::umPix, TXyDir::dX, false), 37);
    Units.ScalePct = 100;
    Densities(96, 96, 8);
    EXPECT_EQ(Units.CnvtThousToUnits(1, TUnitsOfMeasure::umPix, TXyDir::dX, true), 1);
    EXPECT_EQ(Units.CnvtThousToUnits(1, TUnitsOfMeasure::umPix, TXyDir::dX, false), 0);
    EXPECT_EQ(Units.CnvtThousToUnits(0, TUnitsOfMeasure::umPix, TXyDir::dX, true), 0);
    // Negative distances truncate toward zero as well.
    EXPECT_EQ(Units.CnvtThousToUnits(-1000, TUnitsOfMeasure::umPix, TXyDir::dX, false), -96);
}

TEST_F(RunUnitsTest, ThousandthsToCharacterCells) {
    Densities(600, 600, 50);
    EXPECT_EQ(Units.CnvtThousToUnits(2000, TUnitsOfMeasure::umTxt, TXyDir::dX, false), 24);
    EXPECT_EQ(Units.CnvtThousToUnits(2000, TUnitsOfMeasure::umTxt, TXyDir::dX, true), 1);
    EXPECT_EQ(Units.CnvtThousToUnits(0, TUnitsOfMeasure::umTxt, TXyDir::dX, true), 0);
    EXPECT_EQ(Units.CnvtThousToUnits(-5, TUnitsOfMeasure::umTxt, TXyDir::dX, false), 0);
    // Text distances are stored in character cells already.
    Units.OutPixPerInch[TXyDir::dX] = 0;
    Units.CharCell[TXyDir::dX][TUnitsOfMeasure::umPix] = 0;
    EXPECT_EQ(Units.CnvtDistToUnits(20, TUnitsOfMeasure::umTxt, TXyDir::dX, false), 20);
}

TEST_F(RunUnitsTest, ZeroDensitiesNeverDivide) {
    // Fresh units have measured nothing yet.
    EXPECT_EQ(Units.CnvtPixToThous(100, TXyDir::dX), 0);
    EXPECT_EQ(Units.CnvtScrPixToOutPix(100, TXyDir::dY), 0);
    EXPECT_EQ(Units.CnvtThousToUnits(1000, TUnitsOfMeasure::umPix, TXyDir::dX, false), 0);
    // A conversion to character cells before the cell is known is a fault
    // of the caller, reported as an internal error rather than a crash.
    try {
        Units.CnvtThousToUnits(1000, TUnitsOfMeasure::umTxt, TXyDir::dX, false);
        FAIL() << "no error";
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message.rfind(InternalErrorPrefix, 0), 0u) << e.Message;
    }
    Units.CurUnits = TUnitsOfMeasure::umTxt;
    EXPECT_THROW(Units.CnvtPixToUnits(100, TXyDir::dY), eTrxIntError);
    Units.CurUnits = TUnitsOfMeasure::umPix;
    EXPECT_EQ(Units.CnvtPixToUnits(100, TXyDir::dY), 100);
}

TEST_F(RunUnitsTest, PixelConversions) {
    Units.OutPixPerInch[TXyDir::dX] = 600;
    Units.ScreenPixPerInch[TXyDir::dX] = 96;
    EXPECT_EQ(Units.CnvtPixToThous(300, TXyDir::dX), 500);
    EXPECT_EQ(Units.CnvtScrPixToOutPix(96, TXyDir::dX), 600);
    Units.CurUnits = TUnitsOfMeasure::umTxt;
    Units.CharCell[TXyDir::dX][TUnitsOfMeasure::umPix] = 50;
    EXPECT_EQ(Units.CnvtPixToUnits(149, TXyDir::dX), 2);
}

TEST(RunPixelDensities, MeasuredOnlyWhenAsked) {
    TVirtualPrinterOverride printer;
    TRunScope run;
    TPrintSettings& PS = run.PS();
    PS.CalcPixPerInch();
    EXPECT_EQ(PS.PrinterPixPerInch[TXyDir::dX], 0);
    PS.RecalcPixPerInch = true;
    PS.CalcPixPerInch();
    EXPECT_EQ(PS.PrinterPixPerInch[TXyDir::dX], 600);
    EXPECT_EQ(PS.OutPixPerInch[TXyDir::dY], 600);
    EXPECT_GT(PS.ScreenPixPerInch[TXyDir::dX], 0);
}

TEST_F(RunUnitsTest, UnitTexts) {
    Units.CurUnits = TUnitsOfMeasure::umTxt;
    EXPECT_EQ(Units.GetUnitText(TXyDir::dX), "Chars");
    EXPECT_EQ(Units.GetUnitText(TXyDir::dY), "Lines");
    EXPECT_EQ(Units.GetUnitDisplayText(TXyDir::dY), " Lines");
    EXPECT_EQ(Units.GetUnitDisplayValue(12, TXyDir::dX), "12");
    Units.CurUnits = TUnitsOfMeasure::umPix;
    Units.OutPixPerInch[TXyDir::dX] = 600;
    EXPECT_EQ(Units.GetUnitText(TXyDir::dX), "Pix");
    EXPECT_EQ(Units.GetUnitDisplayText(TXyDir::dX), "\"");
    EXPECT_EQ(Units.GetUnitDisplayValue(900, TXyDir::dX), "1.50");
}

TEST(PrinterLookup, ExactIgnoringCaseThenPrefix) {
    std::vector<TVirtualPrinterSpec> specs(3);
    specs[0].Name = "Office Laser";
    specs[1].Name = "Label Writer 450";
    specs[2].Name = "Label Writer";
    TVirtualPrinterOverride over(specs);
    EXPECT_EQ(TPrintSettings::GetPrinterNdx("office laser"), 0);
    EXPECT_EQ(TPrintSettings::GetPrinterNdx("Label Writer"), 2); // exact beats prefix
    EXPECT_EQ(TPrintSettings::GetPrinterNdx("Label W"), 1); // first that begins so
    EXPECT_EQ(TPrintSettings::GetPrinterNdx("label w"), -1); // the prefix is case-sensitive
    EXPECT_EQ(TPrintSettings::GetPrinterNdx("Office Laser Jet"), -1);
    EXPECT_EQ(TPrintSettings::GetPrinterNdx("   "), -1);
    EXPECT_EQ(TPrintSettings::GetPrinterNdx(""), -1);
    TPrintSettings::SetPrinterName("Label W");
    EXPECT_EQ(over.Printer().PrinterIndex(), 1);
    TPrintSettings::SetPrinterName("nowhere");
    EXPECT_EQ(over.Printer().PrinterIndex(), 0); // the default printer
}

} // namespace
