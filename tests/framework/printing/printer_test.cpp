#include <gtest/gtest.h>

#include "framework/printing/draw_text.h"
#include "framework/printing/printer.h"
#include "framework/printing/virtual_printer.h"

namespace trx {
namespace {

// Runs F and returns the message of the EPrinter it raises ("" when none).
template <class F>
std::string PrinterError(F&& Fn) {
    try {
        Fn();
    } catch (const EPrinter& e) {
        return e.Message;
    }
    return "";
}

class PrinterTest : public ::testing::Test {
protected:
    TVirtualPrinterOverride over;
    TPrinter& P = over.Printer();
};

TEST_F(PrinterTest, ProcessWidePrinterIsReplaceableAndRecreated) {
    EXPECT_EQ(Printer(), &P);
    std::unique_ptr<TPrinter> mine = SetPrinter(nullptr);
    EXPECT_EQ(mine.get(), &P);
    TPrinter* fresh = Printer(); // created again on demand
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, &P);
    EXPECT_EQ(fresh->Printers().Count(), 3);
    SetPrinter(std::move(mine));
    EXPECT_EQ(Printer(), &P);
}

TEST_F(PrinterTest, PrinterListAndDefaultSelection) {
    const TStrings& names = P.Printers();
    ASSERT_EQ(names.Count(), 3);
    EXPECT_EQ(names[0], "Virtual Printer");
    EXPECT_EQ(names[1], "Virtual Printer A4");
    EXPECT_EQ(names[2], "Virtual Dot Matrix");
    EXPECT_EQ(names.IndexOf("VIRTUAL PRINTER a4"), 1);

    EXPECT_EQ(P.PrinterIndex(), 0);
    over.Driver().SetDefaultPrinter(2);
    P.SetPrinterIndex(1);
    EXPECT_EQ(P.PrinterIndex(), 1);
    P.SetPrinterIndex(-1); // the default printer
    EXPECT_EQ(P.PrinterIndex(), 2); // read back as its real index
    EXPECT_EQ(P.PrinterName(), "Virtual Dot Matrix");
    std::string device, driver, port;
    P.GetPrinter(device, driver, port);
    EXPECT_EQ(device, "Virtual Dot Matrix");
    EXPECT_EQ(driver, "Virtual");
    EXPECT_EQ(port, "VIRTUAL:");

    EXPECT_EQ(PrinterError([&] { P.SetPrinterIndex(3); }), SPrinterIndexError);
    EXPECT_EQ(PrinterError([&] { P.SetPrinterIndex(-2); }), SPrinterIndexError);
    EXPECT_EQ(P.PrinterIndex(), 2);
}

TEST_F(PrinterTest, OrientationSwapsThePageAndItsOffsets) {
    // Letter at 600 dpi: a sheet of 5100 x 6600 with edges of 1/4" and 1/5".
    EXPECT_EQ(P.Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_EQ(P.PageWidth(), 4800);
    EXPECT_EQ(P.PageHeight(), 6360);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALWIDTH), 5100);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALOFFSETX), 150);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALOFFSETY), 120);
    EXPECT_EQ(P.GetDeviceCaps(LOGPIXELSX), 600);
    EXPECT_EQ(P.GetDeviceCaps(HORZSIZE), 203); // 8 inches of printable width

    P.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(P.PageWidth(), 6360);
    EXPECT_EQ(P.PageHeight(), 4800);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALWIDTH), 6600);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALOFFSETX), 120);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALOFFSETY), 150);
    EXPECT_EQ(P.DeviceMode().Orientation, TPrinterOrientation::poLandscape);
}

TEST_F(PrinterTest, ResolutionAndPaperFollowThePrinter) {
    P.SetPrinterIndex(1); // A4
    EXPECT_EQ(P.PageWidth(), 4961 - 300);
    EXPECT_EQ(P.PageHeight(), 7016 - 240);
    P.SetPrinterIndex(2); // 240 x 144 dpi, Letter
    EXPECT_EQ(P.PixelsPerInchX(), 240);
    EXPECT_EQ(P.PixelsPerInchY(), 144);
    EXPECT_EQ(P.PageWidth(), 2040 - 120);
    EXPECT_EQ(P.PageHeight(), 1584 - 58);
}

TEST_F(PrinterTest, SelectingAnotherPrinterLoadsItsOwnSetUp) {
    P.SetOrientation(TPrinterOrientation::poLandscape);
    P.SetPrinterIndex(0); // the same printer again: set-up kept
    EXPECT_EQ(P.Orientation(), TPrinterOrientation::poLandscape);
    P.SetPrinterIndex(1);
    EXPECT_EQ(P.Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_EQ(P.DeviceMode().PaperSize, DMPAPER_A4);
}

TEST_F(PrinterTest, DeviceModeValuesReachTheDocument) {
    TDeviceMode m = P.DeviceMode();
    EXPECT_EQ(m.PaperSize, DMPAPER_LETTER);
    EXPECT_EQ(m.Copies, 1);
    m.PaperSize = DMPAPER_LEGAL;
    m.Copies = 3;
    m.Duplex = DMDUP_VERTICAL;
    m.Collate = DMCOLLATE_TRUE;
    P.SetDeviceMode(m);
    EXPECT_EQ(P.PageHeight(), 8400 - 240); // 14 inches
    P.BeginDoc();
    P.EndDoc();
    EXPECT_EQ(over.Driver().LastDocument().DeviceMode, m);

    m.PaperSize = DMPAPER_USER;
    m.PaperWidth = 1000; // 100 mm x 200 mm
    m.PaperLength = 2000;
    P.SetDeviceMode(m);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALWIDTH), 2362);
    m.PaperSize = 999; // unknown: the printer's own paper
    P.SetDeviceMode(m);
    EXPECT_EQ(P.GetDeviceCaps(PHYSICALWIDTH), 5100);
}

TEST_F(PrinterTest, CanvasFontKeepsItsPointSizeAcrossPrinters) {
    TCanvas& c = P.Canvas();
    c.Font().SetName("Courier New");
    c.Font().SetSize(10);
    EXPECT_EQ(c.Font().Height(), -83);
    EXPECT_EQ(c.TextWidth("X"), 50);
    EXPECT_EQ(c.TextHeight("X|ygW"), 100);
    EXPECT_EQ(GetDeviceCaps(c, LOGPIXELSY), 600);
    EXPECT_EQ(GetDeviceCaps(c, HORZRES), 4800);

    P.SetPrinterIndex(2); // 240 x 144
    EXPECT_EQ(c.Font().Size(), 10);
    EXPECT_EQ(c.Font().Height(), -20);
    EXPECT_EQ(c.TextHeight("X"), 24);
    EXPECT_EQ(c.TextWidth("X"), 20); // wider pixels across
    EXPECT_EQ(c.FixedCharWidth(), 20);
    EXPECT_EQ(c.TextWidth("\xC4\xC4 ab"), 5 * 20);
}

TEST_F(PrinterTest, DocumentsAndPagesAreRecorded) {
    P.Title = "Report: Sales";
    EXPECT_FALSE(P.Printing());
    EXPECT_EQ(P.PageNumber(), 0);
    P.BeginDoc();
    EXPECT_TRUE(P.Printing());
    EXPECT_EQ(P.PageNumber(), 1);
    TCanvas& c = P.Canvas();
    c.Font().SetSize(12);
    c.TextOut(0, 0, "Line 1");
    c.TextOut(0, 120, "Line 2");
    P.NewPage();
    EXPECT_EQ(P.PageNumber(), 2);
    c.MoveTo(10, 10);
    c.LineTo(100, 10);
    c.TextOut(0, 0, "Page 2");
    P.EndDoc();
    EXPECT_FALSE(P.Printing());
    EXPECT_EQ(P.PageNumber(), 0);

    const TVirtualDocument& doc = over.Driver().LastDocument();
    EXPECT_EQ(doc.Title, "Report: Sales");
    EXPECT_EQ(doc.PrinterName, "Virtual Printer");
    EXPECT_TRUE(doc.Ended);
    EXPECT_FALSE(doc.Aborted);
    ASSERT_EQ(doc.Pages.size(), 2u);
    EXPECT_EQ(doc.Pages[0].Texts(), (std::vector<std::string>{"Line 1", "Line 2"}));
    EXPECT_EQ(doc.Pages[0].Ops()[1].Pos, Point(0, 120));
    EXPECT_EQ(doc.Pages[0].Ops()[0].FontSize, 12);
    EXPECT_EQ(doc.Pages[0].Ops()[0].FontHeight, -100);
    ASSERT_EQ(doc.Pages[1].Ops().size(), 2u);
    EXPECT_EQ(doc.Pages[1].Ops()[0].Kind, TDrawOpKind::doLine);
    EXPECT_EQ(doc.Pages[1].Number, 2);
    EXPECT_EQ(doc.Texts(), (std::vector<std::string>{"Line 1", "Line 2", "Page 2"}));

    // Outside a document the canvas measures but draws nothing.
    c.TextOut(0, 0, "lost");
    EXPECT_EQ(over.Driver().Documents().size(), 1u);
    EXPECT_EQ(over.Driver().LastDocument().Texts().size(), 3u);
}

TEST_F(PrinterTest, FormattedTextOnThePrinterCanvasIsRecordedWhereItLands) {
    TCanvas& c = P.Canvas();
    c.Font().SetSize(10); // cells of 50 x 100 at 600 dpi
    TRect measure = Rect(100, 200, 1100, 700);
    EXPECT_EQ(DrawTextA(c, "Sales & Costs\r\nMarch", measure, DT_CALCRECT | DT_NOPREFIX | DT_CENTER), 200);
    EXPECT_EQ(measure, Rect(100, 200, 100 + 13 * 50, 400));

    P.BeginDoc();
    c.Brush().SetColor(clWhite);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    TRect r = Rect(100, 200, 1100, 400);
    DrawTextA(c, "Sales & Costs\r\nMarch", r, DT_NOPREFIX | DT_CENTER);
    P.EndDoc();
    const auto& ops = over.Driver().LastDocument().Pages[0].Ops();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].Text, "Sales & Costs");
    EXPECT_EQ(ops[0].Pos, Point((100 + 1100 - 650) / 2, 200));
    EXPECT_EQ(ops[1].Text, "March");
    EXPECT_EQ(ops[1].Pos, Point((100 + 1100 - 250) / 2, 300));
    EXPECT_FALSE(ops[1].Opaque);
}

TEST_F(PrinterTest, MisuseRaisesThePrinterErrors) {
    EXPECT_EQ(PrinterError([&] { P.EndDoc(); }), SNotPrinting);
    EXPECT_EQ(PrinterError([&] { P.NewPage(); }), SNotPrinting);
    EXPECT_EQ(PrinterError([&] { P.Abort(); }), SNotPrinting);
    P.BeginDoc();
    EXPECT_EQ(PrinterError([&] { P.BeginDoc(); }), SPrinting);
    EXPECT_EQ(PrinterError([&] { P.SetPrinterIndex(1); }), SPrinting);
    EXPECT_EQ(PrinterError([&] { P.SetOrientation(TPrinterOrientation::poLandscape); }), SPrinting);
    EXPECT_EQ(PrinterError([&] { P.SetDeviceMode(TDeviceMode{}); }), SPrinting);
    EXPECT_TRUE(P.Printing());
    P.EndDoc();
    EXPECT_EQ(over.Driver().Documents().size(), 1u);
}

TEST_F(PrinterTest, AbortThrowsTheDocumentAway) {
    P.BeginDoc();
    P.Canvas().TextOut(0, 0, "partial");
    EXPECT_THROW(over.Driver().ClearDocuments(), EPrinter); // not while a document is open
    P.Abort();
    EXPECT_FALSE(P.Printing());
    EXPECT_TRUE(P.Aborted());
    const TVirtualDocument& doc = over.Driver().LastDocument();
    EXPECT_TRUE(doc.Aborted);
    EXPECT_FALSE(doc.Ended);
    P.BeginDoc();
    EXPECT_FALSE(P.Aborted());
    P.EndDoc();
}

TEST(PrinterInvalid, AnInvalidPrinterFailsEveryUseButSelection) {
    auto specs = TVirtualPrinterDriver::StandardPrinters();
    specs[1].Valid = false;
    TVirtualPrinterOverride over(specs);
    TPrinter& p = over.Printer();
    p.SetPrinterIndex(1);
    EXPECT_EQ(p.PrinterIndex(), 1);
    EXPECT_EQ(PrinterError([&] { p.PageWidth(); }), SInvalidPrinter);
    EXPECT_EQ(PrinterError([&] { p.Canvas().MoveTo(0, 0); }), SInvalidPrinter);
    EXPECT_EQ(PrinterError([&] { p.Canvas().TextWidth("X"); }), SInvalidPrinter);
    EXPECT_EQ(PrinterError([&] { p.BeginDoc(); }), SInvalidPrinter);
    EXPECT_FALSE(p.Printing());
    p.Canvas().Font().SetSize(11); // the font can still be set up
    p.SetPrinterIndex(-1);
    EXPECT_EQ(p.Canvas().TextWidth("X"), 55);
}

TEST(PrinterInvalid, AFailingJobStartLeavesThePrinterIdle) {
    auto specs = TVirtualPrinterDriver::StandardPrinters();
    specs[0].FailStartDoc = true;
    TVirtualPrinterOverride over(specs);
    EXPECT_THROW(over.Printer().BeginDoc(), EPrinter);
    EXPECT_FALSE(over.Printer().Printing());
    EXPECT_TRUE(over.Driver().Documents().empty());
}

TEST(PrinterNone, WithoutPrintersTheObjectStillAnswers) {
    TVirtualPrinterOverride over(std::vector<TVirtualPrinterSpec>{}, -1);
    TPrinter& p = over.Printer();
    EXPECT_EQ(p.Printers().Count(), 0);
    EXPECT_EQ(p.PrinterIndex(), -1);
    p.SetPrinterIndex(-1);
    EXPECT_EQ(p.PrinterName(), "");
    EXPECT_EQ(p.Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_EQ(PrinterError([&] { p.PageWidth(); }), SNoDefaultPrinter);
    EXPECT_EQ(PrinterError([&] { p.BeginDoc(); }), SNoDefaultPrinter);
    EXPECT_EQ(PrinterError([&] { p.Canvas().TextHeight("X"); }), SNoDefaultPrinter);
    EXPECT_EQ(PrinterError([&] { p.SetPrinterIndex(0); }), SPrinterIndexError);
}

TEST_F(PrinterTest, RefreshKeepsTheSelectionWhileItExists) {
    P.SetPrinterIndex(2);
    over.Driver().Specs().erase(over.Driver().Specs().begin());
    P.Refresh();
    EXPECT_EQ(P.Printers().Count(), 2);
    EXPECT_EQ(P.PrinterName(), "Virtual Dot Matrix");
    EXPECT_EQ(P.PrinterIndex(), 1);
    over.Driver().Specs().pop_back();
    P.Refresh();
    EXPECT_EQ(P.PrinterName(), "Virtual Printer A4"); // gone: back to the default
}

TEST_F(PrinterTest, WindowImagesAreScaledByTheirPrintScale) {
    TWindowImage w;
    w.FormName = "fmOrders";
    w.Caption = "Orders";
    w.Width = 400;
    w.Height = 300;
    w.PixelsPerInch = 96;

    w.PrintScale = TPrintScale::poNone;
    EXPECT_EQ(P.WindowImageRect(w), Rect(0, 0, 400, 300));
    w.PrintScale = TPrintScale::poProportional;
    EXPECT_EQ(P.WindowImageRect(w), Rect(0, 0, 2500, 1875));
    w.PrintScale = TPrintScale::poPrintToFit;
    EXPECT_EQ(P.WindowImageRect(w), Rect(0, 0, 4800, 3600)); // limited by the width
    TWindowImage tall = w;
    tall.Width = 100;
    tall.Height = 1000;
    EXPECT_EQ(P.WindowImageRect(tall), Rect(0, 0, 636, 6360)); // limited by the height

    P.Title = "Report: Orders";
    P.PrintWindowImage(w);
    EXPECT_FALSE(P.Printing());
    const TVirtualDocument& doc = over.Driver().LastDocument();
    EXPECT_TRUE(doc.Ended);
    EXPECT_EQ(doc.Title, "Report: Orders");
    ASSERT_EQ(doc.Pages.size(), 1u);
    auto images = doc.WindowImages();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].WindowName, "fmOrders");
    EXPECT_EQ(images[0].ImageSize.cx, 400);
    EXPECT_EQ(images[0].ImageSize.cy, 300);
    EXPECT_EQ(images[0].PrintScale, TPrintScale::poPrintToFit);
    EXPECT_EQ(images[0].Rect, Rect(0, 0, 4800, 3600));
    EXPECT_FALSE(images[0].HasImage);
}

} // namespace
} // namespace trx
