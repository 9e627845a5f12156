#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QWidget>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "framework/core/file_utils.h"
#include "framework/qt/fixed_pitch_font.h"
#include "framework/qt/qt_application.h"
#include "framework/qt/qt_printer_driver.h"
#include "pdf_tools.h"
#include "support/temp_dir.h"
#include "text_pages.h"

namespace trx {
namespace {

using test::PdfPageCount;
using test::PdfPages;

TDeviceMode Paper(int Size, TPrinterOrientation Orientation = TPrinterOrientation::poPortrait) {
    TDeviceMode m;
    m.PaperSize = Size;
    m.Orientation = Orientation;
    return m;
}

class PdfPrinterTest : public ::testing::Test {
protected:
    PdfPrinterTest() : printer(std::make_unique<TQtPrinterDriver>()) {
        driver = static_cast<TQtPrinterDriver*>(&printer.Driver());
        driver->PdfFileName = dir.File("report.pdf");
        printer.SetPrinterIndex(printer.Printers().IndexOf(PdfPrinterName));
        TDeviceMode mode = printer.DeviceMode();
        mode.PaperSize = DMPAPER_A4;
        printer.SetDeviceMode(mode);
    }

    // The width of a character cell of the printed text, in points.
    double CharWidthPoints() {
        return printer.Canvas().TextWidth(std::string(1000, 'X')) * 72.0 / 1000 / printer.PixelsPerInchX();
    }

    test::TempDir dir;
    TPrinter printer;
    TQtPrinterDriver* driver;
};

TEST_F(PdfPrinterTest, ThePdfPrinterIsListedLastAndIsTheDefaultWithoutACupsDefault) {
    std::vector<TPrinterInfo> list = driver->Printers();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.back().Name, "PDF File");
    EXPECT_EQ(printer.Printers()[printer.Printers().Count() - 1], "PDF File");
    EXPECT_EQ(driver->DefaultPrinter(), static_cast<int>(list.size()) - 1);
    TDeviceMode mode = driver->DefaultDeviceMode(PdfPrinterName);
    EXPECT_TRUE(mode.PaperSize == DMPAPER_A4 || mode.PaperSize == DMPAPER_LETTER);
    EXPECT_EQ(mode.Orientation, TPrinterOrientation::poPortrait);
}

TEST_F(PdfPrinterTest, PageGeometryFollowsPaperAndOrientationAt1200Dpi) {
    // Letter is 8.5 x 11 inches; a quarter inch stays blank all round.
    std::optional<TPageGeometry> letter = driver->Geometry(PdfPrinterName, Paper(DMPAPER_LETTER));
    ASSERT_TRUE(letter);
    EXPECT_EQ(*letter, (TPageGeometry{1200, 1200, 10200, 13200, 300, 300, 9600, 12600}));
    std::optional<TPageGeometry> wide =
        driver->Geometry(PdfPrinterName, Paper(DMPAPER_LETTER, TPrinterOrientation::poLandscape));
    ASSERT_TRUE(wide);
    EXPECT_EQ(*wide, (TPageGeometry{1200, 1200, 13200, 10200, 300, 300, 12600, 9600}));

    std::optional<TPageGeometry> a4 = driver->Geometry(PdfPrinterName, Paper(DMPAPER_A4));
    ASSERT_TRUE(a4);
    EXPECT_NEAR(a4->PhysicalWidth, 9921, 10); // 210 mm
    EXPECT_NEAR(a4->PhysicalHeight, 14031, 10); // 297 mm

    TDeviceMode user = Paper(DMPAPER_USER);
    user.PaperWidth = 1000; // 100 x 150 mm
    user.PaperLength = 1500;
    std::optional<TPageGeometry> card = driver->Geometry(PdfPrinterName, user);
    ASSERT_TRUE(card);
    // Qt lays pages out in whole points: 1/72 inch is 17 pixels here.
    EXPECT_NEAR(card->PhysicalWidth, 4724, 9);
    EXPECT_NEAR(card->PhysicalHeight, 7087, 9);

    // The printer object and its canvas see the same device.
    EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSY), 1200);
    EXPECT_EQ(GetDeviceCaps(printer.Canvas(), HORZRES), a4->PageWidth);
    EXPECT_EQ(printer.PageHeight(), a4->PageHeight);
}

TEST_F(PdfPrinterTest, APrinterThatIsNotThereCannotBeUsed) {
    EXPECT_FALSE(driver->Geometry("No Such Printer", TDeviceMode{}));
    EXPECT_EQ(driver->CreateInfoDevice("No Such Printer", TDeviceMode{}), nullptr);
    try {
        driver->StartDoc("No Such Printer", TDeviceMode{}, "x");
        FAIL() << "StartDoc printed on a printer that is not there";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message, SInvalidPrinter);
    }
}

TEST_F(PdfPrinterTest, TextPagesPrintAsTheSameLinesWithRealBoxLines) {
    test::PrintTextPages(printer, test::SampleReportUtf8());
    const std::string file = dir.File("report.pdf");
    EXPECT_EQ(driver->LastPdfFile(), file);
    EXPECT_EQ(PdfPageCount(file), 3);
    EXPECT_EQ(PdfPages(file, CharWidthPoints()), test::SampleReportUtf8());
    // The text is set in the fixed-pitch family chosen for the missing text font.
    QString family = FixedPitchFamily("Letter Gothic Line");
    EXPECT_TRUE(IsUsableFixedPitchFamily(family));
    std::string embedded = family.remove(' ').toStdString();
    bool found = false;
    for (const std::string& name : test::PdfFontNames(file)) found = found || name.find(embedded) != std::string::npos;
    EXPECT_TRUE(found) << embedded;
}

TEST_F(PdfPrinterTest, LandscapePagesHoldLongerLines) {
    TDeviceMode mode = printer.DeviceMode();
    mode.Orientation = TPrinterOrientation::poLandscape;
    printer.SetDeviceMode(mode);
    std::string wide(120, 'W');
    wide.replace(0, 5, "Start");
    wide.replace(wide.size() - 3, 3, "End");
    test::PrintTextPages(printer, {{"┌─┐", wide}});
    // The line is longer than A4 is wide, but not than it is long.
    const int width = printer.Canvas().TextWidth(wide);
    EXPECT_GT(width, driver->Geometry(PdfPrinterName, Paper(DMPAPER_A4))->PageWidth);
    EXPECT_LT(width, printer.PageWidth());
    EXPECT_EQ(PdfPages(dir.File("report.pdf"), CharWidthPoints()), (test::TTextPages{{"┌─┐", wide}}));
}

// An environment variable set for a test, put back as it was afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* Name, const std::string& Value) : name_(Name) {
        const char* saved = std::getenv(Name);
        if (saved) saved_ = saved;
        setenv(Name, Value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (saved_)
            setenv(name_, saved_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

// Without a file named, the PDF goes where the user keeps documents, never
// into the working directory: the documents folder the variable or the
// desktop's settings name, else the home folder.
TEST_F(PdfPrinterTest, WithoutAFileNamedThePdfGoesWhereTheUserKeepsDocuments) {
    const ScopedVariable noFile(PdfFileVariable, "");
    const std::string home = dir.File("home");
    const std::string config = dir.File("config");
    ASSERT_TRUE(ForceDirectories(home + "/Papers") && ForceDirectories(config));
    const ScopedVariable homeVariable("HOME", home);
    const ScopedVariable configVariable("XDG_CONFIG_HOME", config);
    TQtPrinterDriver fresh;
    struct Case {
        const char* What;
        std::string Variable; // XDG_DOCUMENTS_DIR
        std::string UserDirs; // the desktop's user-dirs.dirs
        std::string Folder;
    };
    for (const Case& c :
         {Case{"the variable's folder", dir.Path(), "", dir.Path()},
          Case{"the desktop's folder", "", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", home + "/Papers"},
          Case{"a folder that is not there", dir.File("missing"), "XDG_DOCUMENTS_DIR=\"$HOME/Missing\"\n", home},
          Case{"no folder named", "", "", home}}) {
        const ScopedVariable documents("XDG_DOCUMENTS_DIR", c.Variable);
        test::WriteAll(config + "/user-dirs.dirs", c.UserDirs);
        EXPECT_EQ(fresh.PdfFileFor("Report: Sales/2024"), c.Folder + "/Report_ Sales_2024.pdf") << c.What;
        EXPECT_EQ(fresh.PdfFileFor("  "), c.Folder + "/document.pdf") << c.What;
    }
    // A program (the example, the tests) chooses the folder itself.
    fresh.DocumentsDir = dir.File("out");
    EXPECT_EQ(fresh.PdfFileFor("Report: Sales"), dir.File("out") + "/Report_ Sales.pdf");
}

TEST_F(PdfPrinterTest, TheFileComesFromTheSettingTheVariableOrTheTitle) {
    const char* saved = std::getenv(PdfFileVariable);
    std::string saved_value = saved ? saved : "";
    unsetenv(PdfFileVariable);
    TQtPrinterDriver fresh;
    fresh.DocumentsDir = dir.Path();
    EXPECT_EQ(fresh.PdfFileFor("Report: Sales/2024"), dir.File("Report_ Sales_2024.pdf"));
    EXPECT_EQ(fresh.PdfFileFor("  "), dir.File("document.pdf"));
    setenv(PdfFileVariable, dir.File("from-variable.pdf").c_str(), 1);
    EXPECT_EQ(fresh.PdfFileFor("Report: Sales"), dir.File("from-variable.pdf"));
    fresh.PdfFileName = dir.File("chosen.pdf");
    EXPECT_EQ(fresh.PdfFileFor("Report: Sales"), dir.File("chosen.pdf"));

    driver->PdfFileName.clear();
    test::PrintTextPages(printer, {{"one page"}});
    if (saved)
        setenv(PdfFileVariable, saved_value.c_str(), 1);
    else
        unsetenv(PdfFileVariable);
    EXPECT_EQ(PdfPages(dir.File("from-variable.pdf")), (test::TTextPages{{"one page"}}));
}

TEST_F(PdfPrinterTest, AnAbortedDocumentLeavesTheFileAsItWas) {
    const std::string file = dir.File("report.pdf");
    test::WriteAll(file, "the previous report");
    printer.BeginDoc();
    printer.Canvas().TextOut(0, 0, "half a report");
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_EQ(test::ReadAll(file), "the previous report");

    // A document that ends replaces it.
    test::PrintTextPages(printer, {{"the new report"}});
    EXPECT_EQ(PdfPages(file), (test::TTextPages{{"the new report"}}));
}

TEST_F(PdfPrinterTest, AFileThatCannotBeWrittenStopsTheDocumentAtItsStart) {
    driver->PdfFileName = dir.File("no-such-directory/report.pdf");
    try {
        printer.BeginDoc();
        FAIL() << "a document started on a file that cannot be written";
    } catch (const EPrinter& e) {
        EXPECT_NE(e.Message.find("no-such-directory/report.pdf"), std::string::npos) << e.Message;
    }
    EXPECT_FALSE(printer.Printing());
    driver->PdfFileName = dir.File("report.pdf");
    test::PrintTextPages(printer, {{"printed after all"}});
    EXPECT_EQ(PdfPageCount(dir.File("report.pdf")), 1);
}

TEST_F(PdfPrinterTest, ShapesLandWhereTheyAreDrawnFromTheCornerOfThePrintableArea) {
    printer.BeginDoc();
    TCanvas& c = printer.Canvas();
    c.Brush().SetColor(clBlue);
    c.FillRect(TRect{0, 0, 1200, 600}); // an inch by half an inch
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(60);
    c.MoveTo(0, 1800);
    c.LineTo(2400, 1800);
    c.Pen().SetStyle(TPenStyle::psClear);
    c.Brush().SetColor(clLime);
    c.Ellipse(2400, 0, 3600, 1200);
    printer.EndDoc();

    QImage page(QString::fromStdString(test::RenderFirstPage(dir.File("report.pdf"))));
    ASSERT_FALSE(page.isNull());
    // One pixel is a point; the printable area starts 18 points in.
    auto at = [&](int X, int Y) { return page.pixelColor(18 + X * 72 / 1200, 18 + Y * 72 / 1200); };
    auto near = [](QColor A, QColor B) {
        return std::abs(A.red() - B.red()) < 40 && std::abs(A.green() - B.green()) < 40 &&
               std::abs(A.blue() - B.blue()) < 40;
    };
    EXPECT_TRUE(near(at(600, 300), Qt::blue));
    EXPECT_TRUE(near(at(1300, 300), Qt::white));
    EXPECT_TRUE(near(page.pixelColor(10, 10), Qt::white)); // the margin stays blank
    EXPECT_TRUE(near(at(1200, 1800), Qt::red));
    EXPECT_TRUE(near(at(1200, 2000), Qt::white));
    EXPECT_TRUE(near(at(3000, 600), Qt::green));
    EXPECT_TRUE(near(at(2450, 50), Qt::white)); // outside the ellipse, inside its box
}

TEST_F(PdfPrinterTest, WindowImagesPrintAsImages) {
    TImage image;
    image.Width = 40;
    image.Height = 20;
    image.Pixels.assign(40 * 20, clRed);
    for (int x = 0; x < 40; ++x) image.Pixels[static_cast<size_t>(10 * 40 + x)] = clBlue;
    TWindowImage rendered;
    rendered.FormName = "fmRendered";
    rendered.Width = 40;
    rendered.Height = 20;
    rendered.Image = &image;
    rendered.PrintScale = TPrintScale::poPrintToFit;
    printer.PrintWindowImage(rendered);
    EXPECT_EQ(test::PdfImageSizes(dir.File("report.pdf")), (std::vector<std::pair<int, int>>{{40, 20}}));

    // A real window is taken from the window itself.
    EnsureQtApplication();
    QWidget widget;
    widget.resize(64, 48);
    TWindowImage live;
    live.FormName = "fmLive";
    live.Width = 64;
    live.Height = 48;
    live.Native = &widget;
    driver->PdfFileName = dir.File("window.pdf");
    printer.PrintWindowImage(live);
    std::vector<std::pair<int, int>> sizes = test::PdfImageSizes(dir.File("window.pdf"));
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].first * 48, sizes[0].second * 64); // its shape, at the window's own pixel ratio
}

} // namespace
} // namespace trx
