#include "framework/qt/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QStyle>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/clipboard.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/standard_controls.h"
#include "framework/printing/printer.h"
#include "framework/qt/qt_control_widgets.h"
#include "framework/qt/qt_keys.h"
#include "framework/qt/qt_printer_driver.h"
#include "framework/qt/qt_screen_device.h"
#include "framework/qt/qt_windows.h"

namespace trx {

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kMaxTextWidth = 400;

constexpr const char* SConfirmCreateDir = "The specified directory does not exist. Create it?";

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

// The printer set-up: the printer, its paper and the orientation, filled
// and read by ExecutePrinterSetupDialog.
class TfmPrinterSetup : public TForm {
public:
    explicit TfmPrinterSetup(TComponent* AOwner) : TForm(AOwner) {
        BuildForm(*this, PrinterSetupLayout(), THandlerTable());
    }

    TRX_FIELD(TComboBox, cbxPrinters);
    TRX_FIELD(TComboBox, cbxPaper);
    TRX_FIELD(TRadioButton, rbPortrait);
    TRX_FIELD(TRadioButton, rbLandscape);
};

// A Qt dialog over the model's active window, opened window-modal to it
// (open(), never exec()): the model's loop runs on until the dialog closes,
// so its timers, posted messages and queued input go on meanwhile, as they
// do while a form of the model waits modally. The window may go while the
// dialog is open and take the dialog with it; that counts as cancelled.
template <class T>
class TQtDialog {
public:
    TQtDialog() : dialog_(new T(ActiveWindow())) {}
    ~TQtDialog() { delete dialog_.data(); }
    TQtDialog(const TQtDialog&) = delete;
    TQtDialog& operator=(const TQtDialog&) = delete;

    T* operator->() const { return dialog_.data(); }

    // True when the user confirmed. A run that ends (Application->Terminate) cancels it.
    bool Run() {
        bool finished = false;
        const auto wake = [&finished] {
            finished = true;
            // Wakes the loop, which waits for the model's input.
            Application()->QueueInput([] {});
        };
        const QMetaObject::Connection done = QObject::connect(dialog_.data(), &QDialog::finished, wake);
        const QMetaObject::Connection gone = QObject::connect(dialog_.data(), &QObject::destroyed, wake);
        const auto disconnect = [&] {
            QObject::disconnect(done);
            QObject::disconnect(gone);
        };
        dialog_->open();
        try {
            while (!finished) {
                if (Application()->Terminated()) {
                    dialog_->reject();
                    break;
                }
                Application()->HandleMessage();
            }
        } catch (...) {
            disconnect();
            if (dialog_) dialog_->reject();
            throw;
        }
        disconnect();
        return dialog_ && dialog_->result() == QDialog::Accepted;
    }

private:
    static QWidget* ActiveWindow() {
        TCustomForm* active = Screen()->ActiveForm();
        return active ? QtWidget(active) : nullptr;
    }

    QPointer<T> dialog_;
};

// Qt's file dialog, which refuses a file that must exist and does not with
// a beep (Qt's own would say so in a message box of its own loop).
class TFilePicker : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        if (fileMode() == ExistingFile || fileMode() == ExistingFiles)
            for (const QString& f : selectedFiles())
                if (!QFileInfo::exists(f)) {
                    QApplication::beep();
                    return;
                }
        QFileDialog::accept();
    }
};

// Qt's directory picker, which takes a directory that does not exist only
// when the caller allows creating one (Qt's own would tell the user so in
// a message box of its own loop).
class TDirectoryPicker : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    bool MayCreate = false;
    QString Chosen;

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty()) return;
        const QFileInfo info(files.first());
        if (info.isDir()) {
            Chosen = info.absoluteFilePath();
            QFileDialog::accept();
        } else if (MayCreate && !info.exists()) {
            Chosen = info.absoluteFilePath();
            QDialog::accept();
        } else {
            QApplication::beep();
        }
    }
};

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

// The desktop's icon of a message box type; none for mtCustom.
QIcon MessageIcon(TMsgDlgType Type) {
    QStyle* style = QApplication::style();
    switch (Type) {
    case TMsgDlgType::mtWarning: return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case TMsgDlgType::mtError: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case TMsgDlgType::mtInformation: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case TMsgDlgType::mtConfirmation: return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    case TMsgDlgType::mtCustom: break;
    }
    return {};
}

class TQtDialogs : public TDialogService {
public:
    TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) override {
        const std::string caption =
            DlgType == TMsgDlgType::mtCustom ? Application()->ShownTitle() : MessageDlgCaption(DlgType);
        return Run(CreateMessageForm(DlgType, caption, Msg, Buttons, HelpCtx));
    }
    void ShowMessage(const std::string& Msg) override {
        Run(CreateMessageForm(TMsgDlgType::mtCustom, Application()->ShownTitle(), Msg, TMsgDlgButtons{TMsgDlgBtn::mbOK},
                              0));
    }
    void ShowException(const std::string& Title, const std::string& Msg) override {
        Run(CreateMessageForm(TMsgDlgType::mtError, Title, Msg, TMsgDlgButtons{TMsgDlgBtn::mbOK}, 0));
    }
    void MessageBeep(uint32_t) override { QApplication::beep(); }

    bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) override {
        std::string name = Dialog.FileName;
        int filterIndex = Dialog.FilterIndex;
        for (;;) {
            if (!AskFile(Dialog, Save, name, filterIndex)) return false;
            // A file to be replaced is the model's question; No asks again.
            if (!Save || !Dialog.Options.Contains(TOpenOption::ofOverwritePrompt) || !QFileInfo::exists(QtText(name)) ||
                MessageDlg(name + " already exists.\rDo you want to replace it?", TMsgDlgType::mtWarning,
                           TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, Dialog.HelpContext) == mrYes)
                break;
        }
        Dialog.FileName = name;
        Dialog.FilterIndex = filterIndex;
        return true;
    }

    bool ExecuteFontDialog(TFontDialog& Dialog) override {
        QFont initial(QtText(Dialog.Font.Name()));
        initial.setPointSize(std::max(1, Dialog.Font.Size()));
        initial.setBold(Dialog.Font.Style().Contains(TFontStyle::fsBold));
        initial.setItalic(Dialog.Font.Style().Contains(TFontStyle::fsItalic));
        TQtDialog<QFontDialog> d;
        QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
        if (Dialog.Options.Contains(TFontDialogOption::fdFixedPitchOnly)) options |= QFontDialog::MonospacedFonts;
        d->setOptions(options);
        // Setting the font fills the family list again, now under the options.
        d->setCurrentFont(initial);
        if (!d.Run()) return false;
        const QFont chosen = d->selectedFont();
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
        auto* form = NewForm<TfmPrinterSetup>(Application());
        TFormRun run{form};
        TComboBox* names = form->cbxPrinters;
        TComboBox* papers = form->cbxPaper;
        names->SetItems(printer.Printers());
        names->SetItemIndex(printer.PrinterIndex());
        (printer.Orientation() == TPrinterOrientation::poLandscape ? form->rbLandscape : form->rbPortrait)
            ->SetChecked(true);

        // The papers of the printer chosen, its own set-up's paper selected.
        std::vector<TPaperChoice> choices;
        const auto fillPapers = [&] {
            const int index = names->ItemIndex();
            const std::string name = index >= 0 ? names->Items()[index] : std::string();
            const TDeviceMode mode =
                index == printer.PrinterIndex() ? printer.DeviceMode() : printer.Driver().DefaultDeviceMode(name);
            choices = PaperChoices(name);
            TStringList items;
            int selected = -1;
            for (std::size_t i = 0; i < choices.size(); ++i) {
                const TPaperChoice& c = choices[i];
                items.Add(c.Name);
                const bool same = c.PaperSize == mode.PaperSize &&
                                  (c.PaperSize != DMPAPER_USER ||
                                   (c.PaperWidth == mode.PaperWidth && c.PaperLength == mode.PaperLength));
                if (same && selected < 0) selected = static_cast<int>(i);
            }
            papers->SetItems(items);
            papers->SetItemIndex(selected);
        };
        fillPapers();
        names->OnChange = [&](TObject*) { fillPapers(); };

        if (form->ShowModal() != mrOk) return false;
        if (names->ItemIndex() >= 0) printer.SetPrinterIndex(names->ItemIndex());
        TDeviceMode mode = printer.DeviceMode();
        if (papers->ItemIndex() >= 0) {
            const TPaperChoice& c = choices[static_cast<std::size_t>(papers->ItemIndex())];
            mode.PaperSize = c.PaperSize;
            mode.PaperWidth = c.PaperWidth;
            mode.PaperLength = c.PaperLength;
        }
        mode.Orientation =
            form->rbLandscape->Checked() ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait;
        printer.SetDeviceMode(mode);
        return true;
    }

    bool SelectDirectory(std::string& Directory, TSelectDirOpts Options, int HelpCtx) override {
        const bool mayCreate = Options.Contains(TSelectDirOpt::sdAllowCreate);
        TQtDialog<TDirectoryPicker> d;
        d->setOption(QFileDialog::DontUseNativeDialog);
        d->setWindowTitle(QStringLiteral("Select Directory"));
        d->setFileMode(QFileDialog::Directory);
        d->setOption(QFileDialog::ShowDirsOnly);
        // Without leave to create, the picker has no New Folder button.
        d->setOption(QFileDialog::ReadOnly, !mayCreate);
        d->MayCreate = mayCreate;
        d->setDirectory(QtText(Directory));
        if (!d.Run() || d->Chosen.isEmpty()) return false;
        const QString chosen = d->Chosen;
        if (!QDir(chosen).exists()) {
            if (Options.Contains(TSelectDirOpt::sdPrompt) &&
                MessageDlg(SConfirmCreateDir, TMsgDlgType::mtConfirmation,
                           TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, HelpCtx) != mrYes)
                return false;
            if (Options.Contains(TSelectDirOpt::sdPerformCreate) && !QDir().mkpath(chosen)) return false;
        }
        Directory = ModelText(chosen);
        return true;
    }

private:
    // Qt's file dialog starting at Name; on confirmation Name and
    // FilterIndex take the choice.
    static bool AskFile(const TOpenDialog& Dialog, bool Save, std::string& Name, int& FilterIndex) {
        TQtDialog<TFilePicker> d;
        d->setOption(QFileDialog::DontUseNativeDialog);
        d->setWindowTitle(Dialog.Title.empty() ? QString(Save ? "Save As" : "Open") : QtText(Dialog.Title));
        d->setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (Dialog.Options.Contains(TOpenOption::ofAllowMultiSelect))
            d->setFileMode(QFileDialog::ExistingFiles);
        else if (!Save && Dialog.Options.Contains(TOpenOption::ofFileMustExist))
            d->setFileMode(QFileDialog::ExistingFile);
        else
            d->setFileMode(QFileDialog::AnyFile);
        d->setOption(QFileDialog::DontConfirmOverwrite);
        if (!Dialog.DefaultExt.empty()) d->setDefaultSuffix(QtText(Dialog.DefaultExt));
        const QFileInfo file(QtText(Name));
        if (!Dialog.InitialDir.empty())
            d->setDirectory(QtText(Dialog.InitialDir));
        else if (!Name.empty())
            d->setDirectory(file.absolutePath());
        if (!Name.empty()) d->selectFile(file.fileName());
        // After the file, which may pick another filter for its extension.
        const QStringList filters = QtFilters(Dialog.Filter);
        if (!filters.isEmpty()) {
            d->setNameFilters(filters);
            d->selectNameFilter(filters.value(std::clamp<qsizetype>(FilterIndex - 1, 0, filters.size() - 1)));
        }
        if (!d.Run() || d->selectedFiles().isEmpty()) return false;
        Name = ModelText(d->selectedFiles().first());
        if (!filters.isEmpty()) FilterIndex = static_cast<int>(filters.indexOf(d->selectedNameFilter())) + 1;
        return true;
    }

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

const TFormDesc& PrinterSetupLayout() {
    static const TFormDesc d{.Name = "fmPrinterSetup",
                             .Caption = "Print Setup",
                             .ClientWidth = 320,
                             .ClientHeight = 182,
                             .Props = {{"BorderStyle", "bsDialog"}, {"Position", "poScreenCenter"}},
                             .Controls = {
                                 {.Kind = "TLabel",
                                  .Name = "lbName",
                                  .Left = 12,
                                  .Top = 16,
                                  .Width = 50,
                                  .Height = 16,
                                  .Caption = "&Name:",
                                  .Props = {{"FocusControl", "cbxPrinters"}}},
                                 {.Kind = "TComboBox",
                                  .Name = "cbxPrinters",
                                  .Left = 70,
                                  .Top = 12,
                                  .Width = 238,
                                  .Height = 21,
                                  .Props = {{"Style", "csDropDownList"}}},
                                 {.Kind = "TLabel",
                                  .Name = "lbPaper",
                                  .Left = 12,
                                  .Top = 48,
                                  .Width = 50,
                                  .Height = 16,
                                  .Caption = "Si&ze:",
                                  .Props = {{"FocusControl", "cbxPaper"}}},
                                 {.Kind = "TComboBox",
                                  .Name = "cbxPaper",
                                  .Left = 70,
                                  .Top = 44,
                                  .Width = 238,
                                  .Height = 21,
                                  .Props = {{"Style", "csDropDownList"}}},
                                 {.Kind = "TGroupBox",
                                  .Name = "gbOrientation",
                                  .Left = 12,
                                  .Top = 76,
                                  .Width = 296,
                                  .Height = 58,
                                  .Caption = "Orientation"},
                                 {.Kind = "TRadioButton",
                                  .Name = "rbPortrait",
                                  .Parent = "gbOrientation",
                                  .Left = 12,
                                  .Top = 24,
                                  .Width = 120,
                                  .Height = 17,
                                  .Caption = "Po&rtrait"},
                                 {.Kind = "TRadioButton",
                                  .Name = "rbLandscape",
                                  .Parent = "gbOrientation",
                                  .Left = 150,
                                  .Top = 24,
                                  .Width = 120,
                                  .Height = 17,
                                  .Caption = "&Landscape"},
                                 {.Kind = "TButton",
                                  .Name = "OK",
                                  .Left = 152,
                                  .Top = 148,
                                  .Width = kButtonWidth,
                                  .Height = kButtonHeight,
                                  .Caption = "OK",
                                  .Props = {{"ModalResult", "mrOk"}, {"Default", "True"}}},
                                 {.Kind = "TButton",
                                  .Name = "Cancel",
                                  .Left = 233,
                                  .Top = 148,
                                  .Width = kButtonWidth,
                                  .Height = kButtonHeight,
                                  .Caption = "Cancel",
                                  .Props = {{"ModalResult", "mrCancel"}, {"Cancel", "True"}}},
                             }};
    return d;
}

TCustomForm* CreateMessageForm(TMsgDlgType Type, const std::string& Caption, const std::string& Msg,
                               TMsgDlgButtons Buttons, int HelpCtx) {
    std::vector<const TButtonKind*> kinds;
    // A box with a help context offers help on it.
    if (HelpCtx != 0) Buttons.Include(TMsgDlgBtn::mbHelp);
    for (const TButtonKind& k : kButtons)
        if (Buttons.Contains(k.Button)) kinds.push_back(&k);
    if (kinds.size() == (Buttons.Contains(TMsgDlgBtn::mbHelp) ? 1u : 0u))
        kinds.insert(kinds.begin(), &kButtons[2]); // a box always has a way out: OK

    TCustomForm* form = NewDialogForm("fmMessage", Caption);
    form->HelpContext = HelpCtx;
    // The type's icon at the left as the desktop's message boxes have it,
    // the text beside it wrapped at a readable width in the form's font.
    const QIcon icon = MessageIcon(Type);
    const int iconSize = QApplication::style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    const int textLeft = icon.isNull() ? kMargin : kMargin + iconSize + kMargin;
    const QFontMetrics metrics(QtScreenFont(form->Font()));
    const QRect text = metrics.boundingRect(QRect(0, 0, kMaxTextWidth, 10000), Qt::TextWordWrap, QtMemoText(Msg));
    const int textHeight = std::max(text.height(), icon.isNull() ? 0 : iconSize);
    const int buttons = static_cast<int>(kinds.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int width = std::max(textLeft + std::max(text.width(), 150) + kMargin, buttons + 2 * kMargin);
    form->SetClientWidth(width);
    form->SetClientHeight(kMargin + textHeight + kMargin + kButtonHeight + kMargin);

    // Sized before it is placed: a label that fits itself to its text would
    // fit the empty caption it starts with and keep that sliver.
    auto* label = new TLabel(form);
    label->SetName("Message");
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->ShowAccelChar = false;
    label->SetCaption(Msg);
    label->SetBounds(textLeft, kMargin, width - textLeft - kMargin, text.height());
    label->SetParent(form);
    if (!icon.isNull())
        if (QWidget* client = QtWidget(label) ? QtWidget(label)->parentWidget() : nullptr) {
            auto* picture = new QLabel(client);
            picture->setObjectName(QStringLiteral("Icon"));
            picture->setPixmap(icon.pixmap(iconSize, iconSize));
            picture->setGeometry(kMargin, kMargin, iconSize, iconSize);
            picture->show();
        }

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

    // The buttons stand at the right, as the desktop puts them.
    int left = width - kMargin - buttons;
    const int top = kMargin + textHeight + kMargin;
    for (const TButtonKind* k : kinds) {
        TButton* b = AddButton(*form, k->Name, k->Caption, ModalResultOf(k->Button), left, top);
        b->Default = k == def;
        b->Cancel = k == cancel;
        if (k->Button == TMsgDlgBtn::mbHelp) b->OnClick = [HelpCtx](TObject*) { Application()->HelpContext(HelpCtx); };
        // First in the tab order, the default button has the focus when the box shows.
        if (k == def) b->SetTabOrder(0);
        left += kButtonWidth + kButtonGap;
    }
    // F1 asks for the same help as the Help button.
    if (HelpCtx != 0) {
        form->KeyPreview = true;
        form->OnKeyDown = [HelpCtx](TObject*, uint16_t& Key, TShiftState) {
            if (Key != VK_F1) return;
            Key = 0;
            Application()->HelpContext(HelpCtx);
        };
    }
    return form;
}

void InstallQtServices() {
    if (Services()) return;
    Services() = std::make_unique<TServices>();
    SetClipboardBackend(&Services()->Clipboard);
    SetKeyStateSource(QtKeyState);
}

void RemoveQtServices() {
    if (!Services()) return;
    SetKeyStateSource(nullptr);
    SetClipboardBackend(nullptr);
    Services().reset();
}

} // namespace trx
