// The dialog service and the scripted user.
#include <gtest/gtest.h>

#include <filesystem>

#include "forms_fixture.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/form.h"
#include "framework/printing/printer.h"
#include "support/temp_dir.h"

namespace trx::testing {
namespace {

class ScriptedUiTest : public FormsTest {};

TEST_F(ScriptedUiTest, MessageBoxesAreRecordedAndAnsweredInOrder) {
    ui->AnswerMessage(mrCancel, "Save New Report Settings?").AnswerMessage(mrOk);
    EXPECT_EQ(MessageDlg("Report Settings have been modified.\r\rSave New Report Settings?",
                         TMsgDlgType::mtConfirmation, mbYesNoCancel, 999),
              mrCancel);
    // One button: it answers itself and takes no step.
    EXPECT_EQ(
        MessageDlg("Unable to save report settings", TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbCancel}, 999),
        mrCancel);
    ShowMessage("Tabrix! Setup Error: Report Options Password Violation");
    MessageBeep(0);
    MessageBeep(MB_ICONASTERISK);
    EXPECT_EQ(MessageDlg("Passwords do not agree -- try again", TMsgDlgType::mtError, mbOKCancel, 0), mrOk);
    EXPECT_EQ(ui->PendingSteps(), 0u);

    const auto boxes = ui->CallsOf(TDialogKind::dkMessageDlg);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(boxes[0].Buttons, mbYesNoCancel);
    EXPECT_EQ(boxes[0].HelpContext, 999);
    EXPECT_EQ(boxes[0].Title, "Confirm");
    EXPECT_EQ(boxes[1].Result, mrCancel);
    EXPECT_EQ(boxes[2].Type, TMsgDlgType::mtError);
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{0, MB_ICONASTERISK}));
    EXPECT_EQ(ui->Messages().size(), 4u);
    EXPECT_EQ(ui->Calls()[2].Kind, TDialogKind::dkShowMessage);
}

TEST_F(ScriptedUiTest, AOneButtonBoxTakesAStepOnlyWhenTheStepExpectsIt) {
    ui->AnswerMessage(mrOk, "Too many password violations");
    MessageDlg("Password is Incorrect", TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0);
    EXPECT_EQ(ui->PendingSteps(), 1u);
    EXPECT_EQ(MessageDlg("Too many password violations", TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0),
              mrOk);
    EXPECT_EQ(ui->PendingSteps(), 0u);
    // An answer the box has no button for is a failure.
    ui->OnFailure = nullptr;
    ui->AnswerMessage(mrOk, "violations");
    EXPECT_THROW(
        MessageDlg("Too many password violations", TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbCancel}, 0),
        EScriptFailure);
}

TEST_F(ScriptedUiTest, MissingOrMismatchedAnswersFailLoudly) {
    std::vector<std::string> reported;
    ui->OnFailure = [&](const std::string& m) { reported.push_back(m); };
    EXPECT_THROW(MessageDlg("Overwrite?", TMsgDlgType::mtConfirmation, mbYesNoCancel, 700), EScriptFailure);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("Overwrite?"), std::string::npos);

    ui->AnswerSaveFile("report.txt");
    EXPECT_THROW(MessageDlg("Overwrite?", TMsgDlgType::mtConfirmation, mbYesNoCancel, 700), EScriptFailure);
    EXPECT_NE(reported.back().find("save file dialog"), std::string::npos);
    TSaveDialog dlg(nullptr);
    EXPECT_TRUE(dlg.Execute()); // the step is still there for its own dialog

    ui->AnswerMessage(mrRetry);
    EXPECT_THROW(MessageDlg("Overwrite?", TMsgDlgType::mtConfirmation, mbYesNoCancel, 700), EScriptFailure);
    ui->AnswerMessage(mrYes, "Delete");
    EXPECT_THROW(MessageDlg("Overwrite?", TMsgDlgType::mtConfirmation, mbYesNoCancel, 700), EScriptFailure);
    EXPECT_EQ(ui->Failures().size(), 4u);
}

TEST_F(ScriptedUiTest, StepsLeftUnusedAreReported) {
    std::vector<std::string> reported;
    {
        TScriptedUi inner;
        inner.OnFailure = [&](const std::string& m) { reported.push_back(m); };
        inner.AnswerMessage(mrYes).OnModal("fmPreview", [](TCustomForm&) {});
        EXPECT_EQ(&DialogService(), &inner);
    }
    EXPECT_EQ(&DialogService(), ui.get()); // the outer one is back
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("2 scripted step(s) left unused"), std::string::npos);
    EXPECT_NE(reported[0].find("fmPreview"), std::string::npos);
}

TEST_F(ScriptedUiTest, WithoutAServiceAnswersFailAndBeepsPass) {
    SetDialogService(nullptr);
    MessageBeep(MB_ICONHAND);
    EXPECT_THROW(ShowMessage("hello"), EScriptFailure);
    EXPECT_THROW(MessageDlg("Sure?", TMsgDlgType::mtConfirmation, mbYesNoCancel, 0), EScriptFailure);
    SetDialogService(ui.get());
}

TEST_F(ScriptedUiTest, SaveDialogTakesTheChosenNameWithTheDefaultExtension) {
    TForm* f = NewForm<TForm>(Application());
    auto* dlg = new TSaveDialog(f);
    dlg->Title = "Save Report As";
    dlg->Filter = "Text Files|*.TXT";
    dlg->DefaultExt = "TXT";
    dlg->FileName = "C:\\OLD.TXT";
    ui->AnswerSaveFile("/data/report").AnswerSaveFile("/data/export.asc").CancelFileDialog();
    ASSERT_TRUE(dlg->Execute());
    EXPECT_EQ(dlg->FileName, "/data/report.TXT");
    ASSERT_TRUE(dlg->Execute());
    EXPECT_EQ(dlg->FileName, "/data/export.asc");
    EXPECT_FALSE(dlg->Execute());
    EXPECT_EQ(dlg->FileName, "/data/export.asc");
    const auto calls = ui->CallsOf(TDialogKind::dkSaveFile);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].Text, "C:\\OLD.TXT");
    EXPECT_EQ(calls[0].Title, "Save Report As");
    EXPECT_EQ(calls[0].Filter, "Text Files|*.TXT");
    EXPECT_EQ(calls[2].Result, mrCancel);
}

TEST_F(ScriptedUiTest, FontDialogRecordsItsOptionsAndTakesTheChoice) {
    TFontDialog dlg(nullptr);
    dlg.Font.SetName("Courier New");
    dlg.Font.SetSize(10);
    dlg.Options.Include(TFontDialogOption::fdFixedPitchOnly);
    ui->AnswerFont([](TFont& f) {
        f.SetName("Lucida Console");
        f.SetSize(9);
        f.SetStyle(TFontStyles{TFontStyle::fsBold});
    });
    ui->CancelFont();
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.Font.Name(), "Lucida Console");
    EXPECT_EQ(dlg.Font.Size(), 9);
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.Font.Name(), "Lucida Console");
    const auto calls = ui->CallsOf(TDialogKind::dkFont);
    EXPECT_TRUE(calls[0].FontOptions.Contains(TFontDialogOption::fdFixedPitchOnly));
    EXPECT_EQ(calls[0].FontName, "Courier New");
    EXPECT_EQ(calls[0].FontSize, 10);
}

TEST_F(ScriptedUiTest, PrinterSetupAndDirectoryPickerActAsTheUserChose) {
    TPrinterSetupDialog setup(nullptr);
    ui->AnswerPrinterSetup([] { Printer()->SetPrinterIndex(1); }).CancelPrinterSetup();
    ASSERT_TRUE(setup.Execute());
    EXPECT_EQ(Printer()->PrinterIndex(), 1);
    EXPECT_FALSE(setup.Execute());
    SetPrinter(nullptr);

    test::TempDir tmp;
    std::string dir = tmp.Path();
    ui->AnswerDirectory(tmp.File("new/data")).CancelDirectory();
    ASSERT_TRUE(SelectDirectory(dir, TSelectDirOpts{TSelectDirOpt::sdAllowCreate, TSelectDirOpt::sdPerformCreate}, 0));
    EXPECT_EQ(dir, tmp.File("new/data"));
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    EXPECT_FALSE(SelectDirectory(dir, TSelectDirOpts{}, 0));
    EXPECT_EQ(dir, tmp.File("new/data"));
    EXPECT_TRUE(ui->CallsOf(TDialogKind::dkSelectDirectory)[0].DirOptions.Contains(TSelectDirOpt::sdPerformCreate));
}

} // namespace
} // namespace trx::testing
