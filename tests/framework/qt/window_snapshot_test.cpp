// A form printed as a picture of its window (TCustomForm::Print, the window
// snapshot's way), on the PDF printer and on a CUPS queue: the page holds
// one image, the form's client area as the window shows it.
#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/menus.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_printer_driver.h"
#include "loopback_listener.h"
#include "pdf_tools.h"
#include "private_cups.h"
#include "qt_user.h"
#include "support/temp_dir.h"

namespace trx::test {
namespace {

using TSizes = std::vector<std::pair<int, int>>;

class WindowSnapshotTest : public ::testing::Test, public QtWindowsFixture {
protected:
    WindowSnapshotTest() {
        saved_ = SetPrinter(std::make_unique<TPrinter>(std::make_unique<TQtPrinterDriver>()));
        driver = static_cast<TQtPrinterDriver*>(&Printer()->Driver());
        driver->PdfFileName = dir.File("window.pdf");
        Printer()->SetPrinterIndex(Printer()->Printers().IndexOf(PdfPrinterName));
    }
    ~WindowSnapshotTest() override {
        ResetApplication();
        SetPrinter(std::move(saved_));
    }

    // A form of the given client size with a main menu, its left half a
    // red panel, shown.
    template <class T = TForm>
    T* ShowForm(T* Form, int Width, int Height) {
        Form->SetName("fmSnap");
        auto* menu = new TMainMenu(Form);
        auto* file = new TMenuItem(Form);
        file->SetCaption("&File");
        menu->Items()->Add(file);
        Form->SetMenu(menu);
        Form->SetClientWidth(Width);
        Form->SetClientHeight(Height);
        auto* panel = new TPanel(Form);
        panel->SetName("paRed");
        panel->SetBounds(0, 0, Width / 2, Height);
        panel->SetColor(clRed);
        panel->SetParent(Form);
        Form->Show();
        EXPECT_TRUE(ProcessUntil([Form] { return Shown(Form); }));
        return Form;
    }

    TempDir dir;
    TQtPrinterDriver* driver;

private:
    std::unique_ptr<TPrinter> saved_;
};

TEST_F(WindowSnapshotTest, TheFormsClientAreaIsTheImageOnThePage) {
    TForm* form = ShowForm(NewForm<TForm>(Application()), 300, 200);
    form->PrintScale = TPrintScale::poPrintToFit;
    form->Print();
    // The client area only: the menu bar is no part of the form's image.
    EXPECT_EQ(PdfImageSizes(dir.File("window.pdf")), (TSizes{{300, 200}}));

    // The page shows the window's left half red and its right half not.
    const QImage page(QString::fromStdString(RenderFirstPage(dir.File("window.pdf"))));
    ASSERT_FALSE(page.isNull());
    // What is not white on the page is the window's picture.
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y) != Qt::white) box |= QRect(x, y, 1, 1);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_NEAR(static_cast<double>(box.width()) / box.height(), 1.5, 0.03); // the window's proportions
    const QColor left = page.pixelColor(box.left() + box.width() / 4, box.center().y());
    EXPECT_GT(left.red(), 200);
    EXPECT_LT(left.green(), 60);
    const QColor right = page.pixelColor(box.left() + box.width() * 3 / 4, box.center().y());
    EXPECT_GT(right.green(), 150);
}

TEST_F(WindowSnapshotTest, AFormMadeWithoutNewFormPrintsItsWindowToo) {
    // Made as a program may make it: never announced as created.
    ShowForm(new TForm(Application()), 240, 120)->Print();
    EXPECT_EQ(PdfImageSizes(dir.File("window.pdf")), (TSizes{{240, 120}}));
}

TEST_F(WindowSnapshotTest, ACupsQueueGetsTheWindowsImage) {
    PrivateCups& cups = PrivateCups::Get();
    LoopbackListener listener;
    cups.AddRawQueue("office", listener.Port());
    Printer()->Refresh();
    Printer()->SetPrinterIndex(Printer()->Printers().IndexOf("office"));
    ASSERT_EQ(Printer()->PrinterName(), "office");
    ShowForm(NewForm<TForm>(Application()), 320, 160)->Print();
    const std::string received = dir.File("received.pdf");
    WriteAll(received, listener.Receive());
    cups.RemoveQueue("office");
    EXPECT_EQ(PdfImageSizes(received), (TSizes{{320, 160}}));
}

} // namespace
} // namespace trx::test
