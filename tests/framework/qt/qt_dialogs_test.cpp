// The dialog service on Qt: message boxes with their type's icon and help,
// Qt's file, font and directory dialogs opened inside the model's loop (its
// timers keep running while they are open), and the key state of the real
// keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "command.h"
#include "framework/core/file_utils.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/keys.h"
#include "framework/forms/standard_controls.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_control_widgets.h"
#include "framework/qt/qt_dialogs.h"
#include "framework/qt/qt_printer_driver.h"
#include "loopback_listener.h"
#include "private_cups.h"
#include "qt_user.h"
#include "support/layout_dump.h"
#include "support/temp_dir.h"
#include "view_check.h"

namespace trx::test {
namespace {

class QtDialogsTest : public ::testing::Test, public QtWindowsFixture {
protected:
    QtDialogsTest() {
        form = NewForm<TForm>(Application());
        form->SetName("fmCaller");
        form->SetBounds(50, 50, 300, 200);
        form->Show();
        ticker = new TTimer(form);
        ticker->SetInterval(5);
        ticker->OnTimer = [this](TObject*) { ++ticks; };
    }

    // The Qt dialog of class T that the model waits for, once it shows.
    template <class T>
    static T* OpenDialog() {
        auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
        return d && d->isVisible() ? d : nullptr;
    }
    // The steps that wait for the dialog and then for the model's timer to
    // have fired a few times while it is open.
    template <class T>
    void WaitWhileOpen(QtUser& User, T*& Dialog) {
        User.When(
                "the dialog", [&] { return (Dialog = OpenDialog<T>()) != nullptr; }, [&] { ticksAtOpen = ticks; })
            .When(
                "the model's timer firing meanwhile",
                [&] { return ticks >= ticksAtOpen + 3 && OpenDialog<T>() == Dialog; }, [] {});
    }
    static void Press(TCustomForm& Form, const std::string& Button) {
        QTest::mouseClick(QtWidget(dynamic_cast<TControl*>(Form.FindComponent(Button))), Qt::LeftButton);
    }
    // The step that waits for the message box saying Text and presses Button.
    static void Answer(QtUser& User, const std::string& Text, const std::string& Button) {
        User.When(
            "the box: " + Text, [] { return FindForm("fmMessage") && Shown(FindForm("fmMessage")); },
            [Text, Button] {
                TCustomForm* box = FindForm("fmMessage");
                EXPECT_EQ(dynamic_cast<TLabel*>(box->FindComponent("Message"))->Caption(), Text);
                Press(*box, Button);
            });
    }
    static void TypeAndAccept(QFileDialog* Dialog, const QString& Name) {
        auto* edit = Dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        // Typing drops the list's selection only while the name field has
        // the focus, which the offscreen platform need not give it.
        if (auto* list = Dialog->findChild<QListView*>(QStringLiteral("listView"))) list->clearSelection();
        edit->clear();
        QTest::keyClicks(edit, Name);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    TForm* form = nullptr;
    TTimer* ticker = nullptr;
    int ticks = 0;
    int ticksAtOpen = 0;
    TempDir dir;
};

TEST_F(QtDialogsTest, TheSaveDialogRunsInTheModelsLoop) {
    auto* save = new TSaveDialog(form);
    save->Title = "Save Report As";
    save->Filter = "Text Files|*.TXT|All Files|*.*";
    save->DefaultExt = "TXT";
    save->FileName = dir.File("old.txt");
    QtUser user;
    QFileDialog* d = nullptr;
    WaitWhileOpen(user, d);
    user.When(
        "the dialog checked", [] { return true; },
        [&] {
            EXPECT_EQ(d->windowTitle(), "Save Report As");
            EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(d->nameFilters(), (QStringList{"Text Files (*.TXT)", "All Files (*.*)"}));
            // Over the caller's window, which it blocks.
            EXPECT_EQ(d->parentWidget(), QtWidget(form));
            EXPECT_EQ(d->windowModality(), Qt::WindowModal);
            TypeAndAccept(d, QStringLiteral("new"));
        });
    EXPECT_TRUE(save->Execute());
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(save->FileName, dir.File("new.TXT"));
    EXPECT_EQ(save->FilterIndex, 1);
    EXPECT_EQ(OpenDialog<QFileDialog>(), nullptr);

    // Escape cancels and leaves the name alone.
    QtUser again;
    again.When(
        "the dialog again", [&] { return (d = OpenDialog<QFileDialog>()) != nullptr; },
        [&] { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_FALSE(save->Execute());
    EXPECT_TRUE(again.Done());
    EXPECT_EQ(save->FileName, dir.File("new.TXT"));
}

TEST_F(QtDialogsTest, ReplacingAFileIsAskedByTheModelAndAMissingFileIsRefused) {
    WriteAll(dir.File("old.TXT"), "kept");
    auto* save = new TSaveDialog(form);
    save->Options.Include(TOpenOption::ofOverwritePrompt);
    save->InitialDir = dir.Path();
    QtUser user;
    QFileDialog* d = nullptr;
    user.When(
        "the dialog", [&] { return (d = OpenDialog<QFileDialog>()) != nullptr; },
        [&] { TypeAndAccept(d, QStringLiteral("old.TXT")); });
    Answer(user, dir.File("old.TXT") + " already exists.\rDo you want to replace it?", "No");
    user
        // No asks for another name.
        .When(
            "the dialog again", [&] { return !FindForm("fmMessage") && (d = OpenDialog<QFileDialog>()) != nullptr; },
            [&] {
                EXPECT_EQ(d->selectedFiles(), QStringList{QString::fromStdString(dir.File("old.TXT"))});
                // Offscreen, typing over a selected file keeps the selection
                // (the name field lacks the focus): the name is chosen directly.
                d->selectFile(QStringLiteral("fresh.TXT"));
                static_cast<QDialog*>(d)->accept();
            });
    EXPECT_TRUE(save->Execute());
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(save->FileName, dir.File("fresh.TXT"));

    auto* open = new TOpenDialog(form);
    open->Options.Include(TOpenOption::ofFileMustExist);
    open->InitialDir = dir.Path();
    QtUser opener;
    opener
        .When(
            "the open dialog", [&] { return (d = OpenDialog<QFileDialog>()) != nullptr; },
            [&] { TypeAndAccept(d, QStringLiteral("missing.TXT")); })
        .When(
            "the dialog still open", [&] { return OpenDialog<QFileDialog>() == d && !FindForm("fmMessage"); },
            [&] { TypeAndAccept(d, QStringLiteral("old.TXT")); });
    EXPECT_TRUE(open->Execute());
    EXPECT_TRUE(opener.Done());
    EXPECT_EQ(open->FileName, dir.File("old.TXT"));
}

TEST_F(QtDialogsTest, AFileDialogWhoseWindowGoesCountsAsCancelled) {
    TForm* other = NewForm<TForm>(Application());
    other->SetName("fmOther");
    other->Show();
    ASSERT_EQ(Screen()->ActiveForm(), other);
    TSaveDialog save(nullptr);
    QtUser user;
    QFileDialog* d = nullptr;
    user.When(
        "the dialog over the other window",
        [&] { return (d = OpenDialog<QFileDialog>()) != nullptr && d->parentWidget() == QtWidget(other); },
        [&] { Application()->QueueInput([other] { other->Free(); }); });
    EXPECT_FALSE(save.Execute());
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(FindForm("fmOther"), nullptr);
    EXPECT_EQ(OpenDialog<QFileDialog>(), nullptr);
}

TEST_F(QtDialogsTest, AFileDialogIsCancelledWhenTheApplicationTerminates) {
    auto* open = new TOpenDialog(form);
    QtUser user;
    user.When(
        "the dialog", [&] { return OpenDialog<QFileDialog>() != nullptr; }, [] { Application()->Terminate(); });
    EXPECT_FALSE(open->Execute());
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(OpenDialog<QFileDialog>(), nullptr);
}

// The families fontconfig calls monospaced.
std::set<QString> MonospacedFamilies() {
    std::set<QString> families;
    const std::string out = CheckedCommand({"fc-list", ":spacing=mono", "family"});
    for (const QString& line : QString::fromStdString(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        for (const QString& name : line.split(QLatin1Char(','))) families.insert(name.trimmed());
    return families;
}

TEST_F(QtDialogsTest, TheFixedPitchFontDialogListsOnlyMonospacedFonts) {
    const std::set<QString> mono = MonospacedFamilies();
    ASSERT_FALSE(mono.empty()) << "no monospaced font installed";
    auto* fonts = new TFontDialog(form);
    fonts->Options.Include(TFontDialogOption::fdFixedPitchOnly);
    fonts->Font.SetName("Arial");
    fonts->Font.SetSize(10);
    QtUser user;
    QFontDialog* d = nullptr;
    QString chosen;
    WaitWhileOpen(user, d);
    user.When(
        "the list checked", [] { return true; },
        [&] {
            std::vector<QListView*> lists;
            for (QListView* v : d->findChildren<QListView*>())
                if (v->model() && v->model()->rowCount() > 0) lists.push_back(v);
            ASSERT_FALSE(lists.empty());
            // The first list is the families'.
            QAbstractItemModel* families = lists.front()->model();
            ASSERT_GT(families->rowCount(), 0);
            for (int i = 0; i < families->rowCount(); ++i) {
                const QString family = families->index(i, 0).data().toString();
                // "Monospace" is fontconfig's name for its choice among them.
                EXPECT_TRUE(family == "Monospace" || mono.count(family.section(QStringLiteral(" ["), 0, 0)))
                    << family.toStdString() << " is not monospaced";
            }
            EXPECT_FALSE(
                families->match(families->index(0, 0), Qt::DisplayRole, QStringLiteral("DejaVu Sans Mono")).isEmpty());
            chosen = QStringLiteral("DejaVu Sans Mono");
            QFont f(chosen);
            f.setPointSize(12);
            f.setBold(true);
            d->setCurrentFont(f);
            QTest::keyClick(d, Qt::Key_Return);
        });
    EXPECT_TRUE(fonts->Execute());
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(fonts->Font.Name(), chosen.toStdString());
    EXPECT_EQ(fonts->Font.Size(), 12);
    EXPECT_TRUE(fonts->Font.Style().Contains(TFontStyle::fsBold));
}

TEST_F(QtDialogsTest, TheDirectoryPickerCreatesADirectoryOnlyWhenAllowed) {
    struct Case {
        const char* What;
        TSelectDirOpts Options;
        bool Result;
        bool Created;
    };
    const TSelectDirOpts create{TSelectDirOpt::sdAllowCreate, TSelectDirOpt::sdPerformCreate};
    const Case cases[] = {
        {"no creating", {}, false, false},
        {"allowed, not performed", {TSelectDirOpt::sdAllowCreate}, true, false},
        {"allowed and performed", create, true, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::string name = "new" + std::to_string(++n) + ".TRX";
        std::string directory = dir.Path();
        QtUser user;
        QFileDialog* d = nullptr;
        WaitWhileOpen(user, d);
        user.When(
            "the picker checked", [] { return true; },
            [&] {
                EXPECT_EQ(d->fileMode(), QFileDialog::Directory);
                auto* newFolder = d->findChild<QToolButton*>(QStringLiteral("newFolderButton"));
                ASSERT_NE(newFolder, nullptr);
                EXPECT_EQ(newFolder->isEnabled(), c.Options.Contains(TSelectDirOpt::sdAllowCreate));
                TypeAndAccept(d, QString::fromStdString(name));
            });
        // A directory that may not be created is refused: the picker stays.
        if (!c.Result)
            user.When(
                "the picker still open", [&] { return OpenDialog<QFileDialog>() == d; },
                [&] { QTest::keyClick(d, Qt::Key_Escape); });
        EXPECT_EQ(SelectDirectory(directory, c.Options, 0), c.Result);
        EXPECT_TRUE(user.Done());
        EXPECT_EQ(directory, c.Result ? dir.File(name) : dir.Path());
        EXPECT_EQ(DirectoryExists(dir.File(name)), c.Created);
    }

    // Asked first, the user's No creates nothing and Yes creates it.
    for (const TModalResult answer : {mrNo, mrYes}) {
        SCOPED_TRACE(answer == mrYes ? "Yes" : "No");
        std::string directory = dir.Path();
        QtUser user;
        QFileDialog* d = nullptr;
        user.When(
            "the picker", [&] { return (d = OpenDialog<QFileDialog>()) != nullptr; },
            [&] { TypeAndAccept(d, QStringLiteral("asked.TRX")); });
        Answer(user, "The specified directory does not exist. Create it?", answer == mrYes ? "Yes" : "No");
        EXPECT_EQ(SelectDirectory(directory, create + TSelectDirOpts{TSelectDirOpt::sdPrompt}, 0), answer == mrYes);
        EXPECT_TRUE(user.Done());
        EXPECT_EQ(DirectoryExists(dir.File("asked.TRX")), answer == mrYes);
    }

    // An existing directory is simply chosen.
    ASSERT_TRUE(ForceDirectories(dir.File("old.TRX")));
    std::string directory = dir.Path();
    QtUser user;
    QFileDialog* d = nullptr;
    user.When(
        "the picker", [&] { return (d = OpenDialog<QFileDialog>()) != nullptr; },
        [&] { TypeAndAccept(d, QStringLiteral("old.TRX")); });
    EXPECT_TRUE(SelectDirectory(directory, {}, 0));
    EXPECT_EQ(directory, dir.File("old.TRX"));
}

TEST_F(QtDialogsTest, AMessageBoxShowsItsWholeText) {
    // A question, a warning with a line break, a text longer than a line,
    // and one long word.
    const std::pair<TMsgDlgType, std::string> boxes[] = {
        {TMsgDlgType::mtConfirmation, "Report Settings have been modified.\rSave New Report Settings?"},
        {TMsgDlgType::mtWarning, "Page Range must be numeric"},
        {TMsgDlgType::mtInformation,
         "The Report Password was changed. The new password is needed the next time this report is printed or "
         "previewed, by every user of the report."},
        {TMsgDlgType::mtError, "/a/folder/with/a/rather/long/name/that/does/not/exist/anywhere/Report.txt"},
    };
    for (const auto& [type, text] : boxes) {
        SCOPED_TRACE(text);
        TCustomForm* box = CreateMessageForm(type, "Tabrix!", text, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0);
        box->Show();
        ASSERT_TRUE(ProcessUntil([&] { return Shown(box); }));
        EXPECT_EQ(ViewFaults(*box), std::vector<std::string>{});
        auto* label = QtWidget(dynamic_cast<TControl*>(box->FindComponent("Message")));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(static_cast<QLabel*>(label)->text().toStdString(), QtMemoText(text).toStdString());
        box->Free();
    }
}

TEST_F(QtDialogsTest, MessageBoxesShowTheirTypesIconAndOfferHelpOnTheirContext) {
    std::vector<int> helped;
    Application()->OnHelp = [&](uint16_t, int64_t Data, bool& CallHelp) {
        helped.push_back(static_cast<int>(Data));
        CallHelp = false;
        return true;
    };
    struct Case {
        TMsgDlgType Type;
        const char* Caption;
        int HelpCtx;
    };
    const Case cases[] = {
        {TMsgDlgType::mtWarning, "Warning", 0},
        {TMsgDlgType::mtError, "Error", 0},
        {TMsgDlgType::mtInformation, "Information", 899},
        {TMsgDlgType::mtConfirmation, "Confirm", 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Caption);
        helped.clear();
        QtUser user;
        TCustomForm* box = nullptr;
        user.When(
            "the box", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
            [&] {
                QWidget* window = QtWidget(box);
                EXPECT_EQ(window->windowTitle(), c.Caption);
                auto* icon = window->findChild<QLabel*>(QStringLiteral("Icon"));
                ASSERT_NE(icon, nullptr);
                EXPECT_TRUE(icon->isVisible());
                EXPECT_FALSE(icon->pixmap().isNull());
                // The text stands beside the icon, the buttons under both.
                auto* text = dynamic_cast<TControl*>(box->FindComponent("Message"));
                auto* ok = dynamic_cast<TControl*>(box->FindComponent("OK"));
                ASSERT_NE(ok, nullptr);
                EXPECT_GE(text->Left(), icon->geometry().right());
                EXPECT_GE(ok->Top(), icon->geometry().bottom());
                auto* help = dynamic_cast<TControl*>(box->FindComponent("Help"));
                ASSERT_EQ(help != nullptr, c.HelpCtx != 0);
                if (help) QTest::mouseClick(QtWidget(help), Qt::LeftButton);
            });
        if (c.HelpCtx != 0)
            user.When(
                "the help asked for", [&] { return !helped.empty(); },
                [&] { EXPECT_TRUE(Shown(box)); }); // the box stays
        user.When(
            "the box answered", [] { return true; }, [&] { Press(*box, "OK"); });
        EXPECT_EQ(MessageDlg("Report width unknown because columns were not scanned.", c.Type,
                             TMsgDlgButtons{TMsgDlgBtn::mbOK}, c.HelpCtx),
                  mrOk);
        EXPECT_TRUE(user.Done());
        EXPECT_EQ(helped, c.HelpCtx ? std::vector<int>{c.HelpCtx} : std::vector<int>{});
    }

    // ShowMessage: the application's title, no icon, OK.
    Application()->Title = "Items";
    QtUser user;
    user.When(
        "the message", [&] { return FindForm("fmMessage") && Shown(FindForm("fmMessage")); },
        [&] {
            TCustomForm* box = FindForm("fmMessage");
            EXPECT_EQ(QtWidget(box)->windowTitle(), "Items");
            EXPECT_EQ(QtWidget(box)->findChild<QLabel*>(QStringLiteral("Icon")), nullptr);
            QTest::keyClick(QtWidget(box), Qt::Key_Return);
        });
    ShowMessage("Printed.");
    EXPECT_TRUE(user.Done());
}

TEST_F(QtDialogsTest, KeyStateIsTheRealKeyboards) {
    QWindow* window = QtWidget(form)->windowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    QTest::keyPress(window, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(window, Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_GE(GetKeyState(VK_MENU), 0);
    EXPECT_EQ(KeyboardShiftState(), (TShiftState{TShiftFlag::ssCtrl, TShiftFlag::ssShift}));
    QTest::keyRelease(window, Qt::Key_Shift, Qt::ControlModifier);
    QTest::keyRelease(window, Qt::Key_Control, Qt::NoModifier);
    Application()->ProcessMessages();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

// Its controls are what the golden file next to this test says (support/layout_dump.h).
TEST(PrinterSetupLayout, IsLaidOutAsItsGoldenFileSays) {
    const char* src = std::getenv("TRX_SOURCE_DIR");
    ExpectGolden(
        std::filesystem::path(src ? src : ".") / "tests" / "framework" / "qt" / "golden" / "printer_setup.layout",
        DumpLayout(PrinterSetupLayout()));
}

TEST_F(QtDialogsTest, ThePrinterSetupOffersTheCupsPrintersAndThePdfPrinterWithTheirPapers) {
    PrivateCups& cups = PrivateCups::Get();
    LoopbackListener listener;
    cups.AddRawQueue("office", listener.Port());
    std::unique_ptr<TPrinter> saved = SetPrinter(std::make_unique<TPrinter>(std::make_unique<TQtPrinterDriver>()));
    TPrinter& printer = *Printer();
    printer.SetPrinterIndex(printer.Printers().IndexOf("office"));

    auto* setup = new TPrinterSetupDialog(form);
    QtUser user;
    TCustomForm* box = nullptr;
    TComboBox* names = nullptr;
    TComboBox* papers = nullptr;
    const auto items = [](TComboBox* Combo) {
        std::vector<std::string> v;
        for (int i = 0; i < Combo->Items().Count(); ++i) v.push_back(Combo->Items()[i]);
        return v;
    };
    const auto has = [](const std::vector<std::string>& List, const std::string& Item) {
        return std::find(List.begin(), List.end(), Item) != List.end();
    };
    user.When(
            "the set-up", [&] { return (box = FindForm("fmPrinterSetup")) && Shown(box); },
            [&] {
                names = dynamic_cast<TComboBox*>(box->FindComponent("cbxPrinters"));
                papers = dynamic_cast<TComboBox*>(box->FindComponent("cbxPaper"));
                ASSERT_TRUE(names && papers);
                const std::vector<std::string> printers = items(names);
                EXPECT_TRUE(has(printers, "office"));
                ASSERT_FALSE(printers.empty());
                EXPECT_EQ(printers.back(), PdfPrinterName);
                EXPECT_EQ(names->Text(), "office");
                EXPECT_TRUE(has(items(papers), "A4"));
                // Named as the desktop names them, each once.
                const std::vector<std::string> list = items(papers);
                EXPECT_TRUE(std::any_of(list.begin(), list.end(),
                                        [](const std::string& p) { return p.rfind("Letter", 0) == 0; }));
                EXPECT_EQ(std::set<std::string>(list.begin(), list.end()).size(), list.size());
                EXPECT_GE(papers->ItemIndex(), 0); // the printer's own paper
                // The PDF printer, last in the list, and its A4 paper, landscape.
                QTest::keyClick(QtWidget(box), Qt::Key_End);
            })
        .When(
            "the PDF printer's papers", [&] { return names->Text() == PdfPrinterName; },
            [&] {
                const std::vector<std::string> list = items(papers);
                ASSERT_TRUE(has(list, "A4"));
                const auto a4 = std::find(list.begin(), list.end(), "A4") - list.begin();
                QTest::keyClick(QtWidget(box), Qt::Key_Tab);
                QTest::keyClick(QtWidget(box), Qt::Key_Home);
                for (auto i = 0; i < a4; ++i) QTest::keyClick(QtWidget(box), Qt::Key_Down);
            })
        .When(
            "A4 chosen", [&] { return papers->Text() == "A4"; },
            [&] {
                Press(*box, "rbLandscape");
                Press(*box, "OK");
            });
    const bool confirmed = setup->Execute();
    EXPECT_TRUE(user.Done());
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(printer.PrinterName(), PdfPrinterName);
    EXPECT_EQ(printer.DeviceMode().PaperSize, DMPAPER_A4);
    EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poLandscape);
    SetPrinter(std::move(saved));
    cups.RemoveQueue("office");
}

} // namespace
} // namespace trx::test
