#include "framework/qt/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontMetrics>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/clipboard.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_control_widgets.h"
#include "framework/qt/qt_screen_device.h"

namespace trx {

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kMaxTextWidth = 400;

struct TButtonKind {
    TMsgDlgBtn Button;
    const char* Name;
    const char* Caption;
};

// In the order the buttons stand in a message box.
constexpr TButtonKind kButtons[] = {
    {TMsgDlgBtn::mbYes, "Yes", "&Yes"},
    {TMsgDlgBtn::mbNo, "No", "&No"},
    {TMsgDlgBtn::mbOK, "OK", "OK"},
    {TMsgDlgBtn::mbCancel, "Cancel", "Cancel"},
    {TMsgDlgBtn::mbAbort, "Abort", "&Abort"},
    {TMsgDlgBtn::mbRetry, "Retry", "&Retry"},
    {TMsgDlgBtn::mbIgnore, "Ignore", "&Ignore"},
    {TMsgDlgBtn::mbAll, "All", "&All"},
    {TMsgDlgBtn::mbNoToAll, "NoToAll", "N&o to All"},
    {TMsgDlgBtn::mbYesToAll, "YesToAll", "Yes to &All"},
    {TMsgDlgBtn::mbHelp, "Help", "&Help"},
};

// A form of the application, freed when the run that shows it ends.
struct TFormRun {
    TCustomForm* Form;
    ~TFormRun() { Form->Free(); }
};

template <class T>
T* Add(TCustomForm& Form, const std::string& Name, TWinControl* Parent, int Left, int Top, int Width, int Height) {
    auto* c = new T(&Form);
    c->SetName(Name);
    c->SetBounds(Left, Top, Width, Height);
    c->SetParent(Parent);
    return c;
}

TButton* AddButton(TCustomForm& Form, const std::string& Name, const std::string& Caption, TModalResult Result,
                   int Left, int Top) {
    auto* b = Add<TButton>(Form, Name, &Form, Left, Top, kButtonWidth, kButtonHeight);
    b->SetCaption(Caption);
    b->ModalResult = Result;
    return b;
}

TCustomForm* NewDialogForm(const std::string& Name, const std::string& Caption) {
    TForm* form = NewForm<TForm>(Application());
    form->SetName(Name);
    form->SetCaption(Caption);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetPosition(TPosition::poScreenCenter);
    return form;
}

// Runs a Qt dialog application-modal until it closes, without a loop of
// its own: only Qt's events run meanwhile.
bool RunQtDialog(QDialog& Dialog) {
    Dialog.setWindowModality(Qt::ApplicationModal);
    Dialog.show();
    while (Dialog.isVisible()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return Dialog.result() == QDialog::Accepted;
}

// "Text Files|*.TXT|All Files|*.*" as Qt's "Text Files (*.TXT)" and so on.
QStringList QtFilters(const std::string& Filter) {
    const QStringList parts = QtText(Filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

std::string ModelText(const QString& Text) { return Text.toStdString(); }

class TQtDialogs : public TDialogService {
public:
    TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) override {
        const std::string caption =
            DlgType == TMsgDlgType::mtCustom ? Application()->ShownTitle() : MessageDlgCaption(DlgType);
        return Run(CreateMessageForm(caption, Msg, Buttons, HelpCtx));
    }
    void ShowMessage(const std::string& Msg) override {
        Run(CreateMessageForm(Application()->ShownTitle(), Msg, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0));
    }
    void ShowException(const std::string& Title, const std::string& Msg) override {
        Run(CreateMessageForm(Title, Msg, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0));
    }
    void MessageBeep(uint32_t) override { QApplication::beep(); }

    bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) override {
        QFileDialog d;
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setWindowTitle(Dialog.Title.empty() ? QString(Save ? "Save As" : "Open") : QtText(Dialog.Title));
        d.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (Dialog.Options.Contains(TOpenOption::ofAllowMultiSelect))
            d.setFileMode(QFileDialog::ExistingFiles);
        else if (!Save && Dialog.Options.Contains(TOpenOption::ofFileMustExist))
            d.setFileMode(QFileDialog::ExistingFile);
        else
            d.setFileMode(QFileDialog::AnyFile);
        if (!Dialog.Options.Contains(TOpenOption::ofOverwritePrompt)) d.setOption(QFileDialog::DontConfirmOverwrite);
        const QStringList filters = QtFilters(Dialog.Filter);
        if (!filters.isEmpty()) {
            d.setNameFilters(filters);
            d.selectNameFilter(filters.value(std::clamp<qsizetype>(Dialog.FilterIndex - 1, 0, filters.size() - 1)));
        }
        if (!Dialog.DefaultExt.empty()) d.setDefaultSuffix(QtText(Dialog.DefaultExt));
        const QFileInfo file(QtText(Dialog.FileName));
        if (!Dialog.InitialDir.empty())
            d.setDirectory(QtText(Dialog.InitialDir));
        else if (!Dialog.FileName.empty())
            d.setDirectory(file.absolutePath());
        if (!Dialog.FileName.empty()) d.selectFile(file.fileName());
        if (!RunQtDialog(d) || d.selectedFiles().isEmpty()) return false;
        Dialog.FileName = ModelText(d.selectedFiles().first());
        if (!filters.isEmpty()) Dialog.FilterIndex = static_cast<int>(filters.indexOf(d.selectedNameFilter())) + 1;
        return true;
    }

    bool ExecuteFontDialog(TFontDialog& Dialog) override {
        QFont initial(QtText(Dialog.Font.Name()));
        initial.setPointSize(std::max(1, Dialog.Font.Size()));
        initial.setBold(Dialog.Font.Style().Contains(TFontStyle::fsBold));
        initial.setItalic(Dialog.Font.Style().Contains(TFontStyle::fsItalic));
        QFontDialog d(initial);
        QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
        if (Dialog.Options.Contains(TFontDialogOption::fdFixedPitchOnly)) options |= QFontDialog::MonospacedFonts;
        d.setOptions(options);
        if (!RunQtDialog(d)) return false;
        const QFont chosen = d.selectedFont();
        Dialog.Font.SetName(ModelText(chosen.family()));
        if (chosen.pointSize() > 0) Dialog.Font.SetSize(chosen.pointSize());
        TFontStyles style;
        if (chosen.bold()) style.Include(TFontStyle::fsBold);
        if (chosen.italic()) style.Include(TFontStyle::fsItalic);
        if (chosen.underline()) style.Include(TFontStyle::fsUnderline);
        if (chosen.strikeOut()) style.Include(TFontStyle::fsStrikeOut);
        Dialog.Font.SetStyle(style);
        return true;
    }

    bool ExecutePrinterSetupDialog(TPrinterSetupDialog&) override {
        TPrinter& printer = *Printer();
        TCustomForm* form = NewDialogForm("fmPrinterSetup", "Print Setup");
        TFormRun run{form};
        form->SetClientWidth(320);
        form->SetClientHeight(150);
        auto* label = Add<TLabel>(*form, "lbName", form, 12, 16, 50, 16);
        label->SetCaption("&Name:");
        auto* names = Add<TComboBox>(*form, "cbxPrinters", form, 70, 12, 238, 21);
        names->SetStyle(TComboBoxStyle::csDropDownList);
        names->SetItems(printer.Printers());
        names->SetItemIndex(printer.PrinterIndex());
        label->SetFocusControl(names);
        auto* group = Add<TGroupBox>(*form, "gbOrientation", form, 12, 44, 296, 58);
        group->SetCaption("Orientation");
        auto* portrait = Add<TRadioButton>(*form, "rbPortrait", group, 12, 24, 120, 17);
        portrait->SetCaption("Po&rtrait");
        auto* landscape = Add<TRadioButton>(*form, "rbLandscape", group, 150, 24, 120, 17);
        landscape->SetCaption("&Landscape");
        (printer.Orientation() == TPrinterOrientation::poLandscape ? landscape : portrait)->SetChecked(true);
        AddButton(*form, "OK", "OK", mrOk, 152, 116)->Default = true;
        AddButton(*form, "Cancel", "Cancel", mrCancel, 233, 116)->Cancel = true;
        if (form->ShowModal() != mrOk) return false;
        if (names->ItemIndex() >= 0) printer.SetPrinterIndex(names->ItemIndex());
        printer.SetOrientation(landscape->Checked() ? TPrinterOrientation::poLandscape
                                                    : TPrinterOrientation::poPortrait);
        return true;
    }

    bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int) override {
        QFileDialog d;
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setWindowTitle(QStringLiteral("Select Directory"));
        d.setFileMode(QFileDialog::Directory);
        d.setOption(QFileDialog::ShowDirsOnly);
        d.setDirectory(QtText(Directory));
        if (!RunQtDialog(d) || d.selectedFiles().isEmpty()) return false;
        const QString chosen = d.selectedFiles().first();
        if (!QDir(chosen).exists()) {
            if (!Options.Contains(TSelectDirOpt::sdAllowCreate)) return false;
            if (Options.Contains(TSelectDirOpt::sdPerformCreate) && !QDir().mkpath(chosen)) return false;
        }
        Directory = ModelText(chosen);
        return true;
    }

private:
    static TModalResult Run(TCustomForm* Form) {
        TFormRun run{Form};
        return Form->ShowModal();
    }
};

class TQtClipboard : public TClipboardBackend {
public:
    std::string GetText() override { return ModelText(QGuiApplication::clipboard()->text()); }
    void SetText(const std::string& Text) override { QGuiApplication::clipboard()->setText(QtText(Text)); }
};

struct TServices {
    TQtDialogs Dialogs;
    TQtClipboard Clipboard;
    TDialogServiceOverride Override{Dialogs};
};

std::unique_ptr<TServices>& Services() {
    static std::unique_ptr<TServices> services;
    return services;
}

} // namespace

TCustomForm* CreateMessageForm(const std::string& Caption, const std::string& Msg, TMsgDlgButtons Buttons,
                               int HelpCtx) {
    std::vector<const TButtonKind*> kinds;
    for (const TButtonKind& k : kButtons)
        if (Buttons.Contains(k.Button)) kinds.push_back(&k);
    if (kinds.empty()) kinds.push_back(&kButtons[2]); // a box always has a way out: OK

    TCustomForm* form = NewDialogForm("fmMessage", Caption);
    // The text wrapped at a readable width, measured in the form's font.
    const QFontMetrics metrics(QtScreenFont(form->Font()));
    const QRect text = metrics.boundingRect(QRect(0, 0, kMaxTextWidth, 10000), Qt::TextWordWrap, QtMemoText(Msg));
    const int buttons = static_cast<int>(kinds.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int width = std::max({text.width(), buttons, 150}) + 2 * kMargin;
    form->SetClientWidth(width);
    form->SetClientHeight(kMargin + text.height() + kMargin + kButtonHeight + kMargin);

    auto* label = Add<TLabel>(*form, "Message", form, kMargin, kMargin, width - 2 * kMargin, text.height());
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->ShowAccelChar = false;
    label->SetCaption(Msg);

    // The default button is OK or Yes when there is one; Escape gives
    // Cancel, else No, else the only button.
    const TButtonKind* def = nullptr;
    const TButtonKind* cancel = nullptr;
    for (const TButtonKind* k : kinds) {
        if (!def && (k->Button == TMsgDlgBtn::mbOK || k->Button == TMsgDlgBtn::mbYes)) def = k;
        if (k->Button == TMsgDlgBtn::mbCancel) cancel = k;
    }
    if (!def) def = kinds.front();
    for (const TButtonKind* k : kinds)
        if (!cancel && k->Button == TMsgDlgBtn::mbNo) cancel = k;
    if (!cancel && kinds.size() == 1) cancel = kinds.front();

    int left = (width - buttons) / 2;
    const int top = kMargin + text.height() + kMargin;
    for (const TButtonKind* k : kinds) {
        TButton* b = AddButton(*form, k->Name, k->Caption, ModalResultOf(k->Button), left, top);
        b->Default = k == def;
        b->Cancel = k == cancel;
        if (k->Button == TMsgDlgBtn::mbHelp) b->OnClick = [HelpCtx](TObject*) { Application()->HelpContext(HelpCtx); };
        // First in the tab order, the default button has the focus when the box shows.
        if (k == def) b->SetTabOrder(0);
        left += kButtonWidth + kButtonGap;
    }
    return form;
}

void InstallQtServices() {
    if (Services()) return;
    Services() = std::make_unique<TServices>();
    SetClipboardBackend(&Services()->Clipboard);
}

void RemoveQtServices() {
    if (!Services()) return;
    SetClipboardBackend(nullptr);
    Services().reset();
}

} // namespace trx
