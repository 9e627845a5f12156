// Forms built from layouts; printing a form; observing forms from outside.
#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "framework/printing/printer.h"
#include "framework/printing/virtual_printer.h"

namespace trx::testing {
namespace {

const TFormDesc& OptionsLayout() {
    static const TFormDesc d{
        .Name = "fmOptions",
        .Caption = "Report Options",
        .ClientWidth = 632,
        .ClientHeight = 433,
        .Props = {{"KeyPreview", "True"},
                  {"Font.Name", "Arial"},
                  {"Menu", "mmRptOpts"},
                  {"HelpContext", "200"},
                  {"ActiveControl", "cbxOutputDest"}},
        .Events = {{"OnKeyDown", "FormKeyDown"}, {"OnShow", "FormShow"}},
        .Controls = {
            {.Kind = "TPanel", .Name = "paTop", .Height = 32, .Props = {{"Align", "alTop"}}},
            {.Kind = "TSpeedButton",
             .Name = "sbPrint",
             .Parent = "paTop",
             .Left = 82,
             .Width = 60,
             .Caption = "Print",
             .Hint = "Print Report|Print the report to the Output Destination",
             .Props = {{"Flat", "True"}},
             .Events = {{"OnClick", "sbPrintClick"}}},
            {.Kind = "TComboBox",
             .Name = "cbxOutputDest",
             .Parent = "paTop",
             .Left = 176,
             .Width = 89,
             .Items = {"Printer", "Text File", "Export Data"},
             .Props = {{"DropDownCount", "4"}},
             .Events = {{"OnChange", "cbxOutputDestChange"}}},
            {.Kind = "TPanel", .Name = "paMiddle", .Props = {{"Align", "alClient"}}},
            {.Kind = "TNotebook",
             .Name = "nbOptions",
             .Parent = "paMiddle",
             .Items = {"General", "Output"},
             .Props = {{"Align", "alClient"}}},
            {.Kind = "TGroupBox",
             .Name = "gbPrintWhat",
             .Parent = "nbOptions.General",
             .Left = 4,
             .Top = 4,
             .Width = 200,
             .Height = 120,
             .Caption = "Print What?"},
            {.Kind = "TRadioButton",
             .Name = "rbPrintWhatAll",
             .Parent = "gbPrintWhat",
             .Top = 20,
             .Caption = "&Entire Grid",
             .Props = {{"Checked", "True"}, {"Tag", "0"}},
             .Events = {{"OnClick", "rbPrintWhatAllClick"}}},
            {.Kind = "TRadioButton",
             .Name = "rbPrintWhatPageRange",
             .Parent = "gbPrintWhat",
             .Top = 40,
             .Caption = "Page Range",
             .Props = {{"Tag", "6"}},
             .Events = {{"OnClick", "rbPrintWhatAllClick"}}},
            {.Kind = "TLabel",
             .Name = "lbPageRangeFrom",
             .Parent = "gbPrintWhat",
             .Top = 64,
             .Caption = "From:",
             .Props = {{"FocusControl", "edPageRangeFrom"}}},
            {.Kind = "TEdit",
             .Name = "edPageRangeFrom",
             .Parent = "gbPrintWhat",
             .Left = 40,
             .Top = 60,
             .Events = {{"OnKeyPress", "edNumericOnlyKeyPress"}}},
            {.Kind = "TCheckBox", .Name = "cbShrinkToPage", .Parent = "nbOptions.Output", .Caption = "&Shrink to Page"},
            {.Kind = "TPanel",
             .Name = "paMsg",
             .Height = 22,
             .Props = {{"Align", "alBottom"}, {"Alignment", "taLeftJustify"}, {"BevelOuter", "bvLowered"}}},
            {.Kind = "TTimer", .Name = "Timer1", .Props = {{"Enabled", "False"}}},
            {.Kind = "TSaveDialog", .Name = "SaveDialog1"},
            {.Kind = "TMainMenu", .Name = "mmRptOpts"},
            {.Kind = "TMenuItem",
             .Name = "mnFile",
             .Parent = "mmRptOpts",
             .Caption = "&File",
             .Events = {{"OnClick", "mnFileClick"}}},
            {.Kind = "TMenuItem",
             .Name = "itmPrint",
             .Parent = "mnFile",
             .Caption = "&Print",
             .Props = {{"ShortCut", "Ctrl+P"}},
             .Events = {{"OnClick", "itmPrintClick"}}},
        }};
    return d;
}

class TfmOptions : public TForm {
public:
    explicit TfmOptions(TComponent* AOwner) : TForm(AOwner) {
        BuildForm(*this, OptionsLayout(),
                  THandlerTable()
                      .Add("FormKeyDown", this, &TfmOptions::FormKeyDown)
                      .Add("FormShow", this, &TfmOptions::FormShow)
                      .Add("sbPrintClick", this, &TfmOptions::sbPrintClick)
                      .Add("cbxOutputDestChange", this, &TfmOptions::cbxOutputDestChange)
                      .Add("rbPrintWhatAllClick", this, &TfmOptions::rbPrintWhatAllClick)
                      .Add("edNumericOnlyKeyPress", this, &TfmOptions::edNumericOnlyKeyPress)
                      .Add("mnFileClick", this, &TfmOptions::mnFileClick)
                      .Add("itmPrintClick", this, &TfmOptions::itmPrintClick));
    }

    void FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
        if (Key == VK_TAB && Shift.Contains(TShiftFlag::ssCtrl)) log.push_back("ctrl+tab");
    }
    void FormShow(TObject*) { log.push_back("show"); }
    void sbPrintClick(TObject*) { log.push_back("print"); }
    void cbxOutputDestChange(TObject*) { log.push_back("destination " + cbxOutputDest->Text()); }
    void rbPrintWhatAllClick(TObject* Sender) {
        log.push_back("print what " + std::to_string(static_cast<TComponent*>(Sender)->Tag));
    }
    void edNumericOnlyKeyPress(TObject*, char& Key) {
        if ((Key < '0' || Key > '9') && Key != '\b') Key = 0;
    }
    void mnFileClick(TObject*) { log.push_back("file menu"); }
    void itmPrintClick(TObject*) { sbPrint->Click(); }

    std::vector<std::string> log;
    TRX_FIELD(TSpeedButton, sbPrint);
    TRX_FIELD(TComboBox, cbxOutputDest);
    TRX_FIELD(TEdit, edPageRangeFrom);
};

// A form class with one field, for the layouts that do not fit it.
class TfmField : public TForm {
public:
    using TForm::TForm;
    TRX_FIELD(TEdit, edName);
};

class LayoutTest : public FormsTest {};

TEST_F(LayoutTest, AFormIsBuiltFromItsLayoutWithItsHandlersBound) {
    TfmOptions* fm = nullptr;
    Application()->CreateForm(fm);
    EXPECT_EQ(fm->Name(), "fmOptions");
    EXPECT_EQ(fm->Caption(), "Report Options");
    EXPECT_EQ(fm->ClientWidth(), 632);
    EXPECT_EQ(fm->ClientHeight(), 433);
    EXPECT_EQ(fm->Width(), 640);
    EXPECT_EQ(fm->Height(), 480); // frame, caption and menu bar
    EXPECT_TRUE(fm->KeyPreview);
    EXPECT_EQ(fm->HelpContext, 200);
    EXPECT_EQ(fm->Menu(), fm->FindComponent("mmRptOpts"));
    EXPECT_EQ(fm->ActiveControl(), fm->cbxOutputDest);

    // Alignment follows the layout, and the children took the form's font.
    EXPECT_EQ(fm->FindComponent("paTop")->Name(), "paTop");
    auto* paMiddle = RequireComponent<TPanel>(*fm, "paMiddle");
    EXPECT_EQ(paMiddle->BoundsRect(), Rect(0, 32, 632, 433 - 22));
    EXPECT_EQ(fm->sbPrint->Font().Name(), "Arial");
    EXPECT_TRUE(fm->sbPrint->Flat());
    EXPECT_EQ(fm->sbPrint->Hint(), "Print Report|Print the report to the Output Destination");
    EXPECT_EQ(fm->cbxOutputDest->Items().Count(), 3);
    EXPECT_EQ(fm->cbxOutputDest->DropDownCount, 4);
    auto* nb = RequireComponent<TNotebook>(*fm, "nbOptions");
    EXPECT_EQ(RequireComponent<TCheckBox>(*fm, "cbShrinkToPage")->Parent(), nb->FindPage("Output"));
    EXPECT_EQ(RequireComponent<TLabel>(*fm, "lbPageRangeFrom")->FocusControl(), fm->edPageRangeFrom);
    EXPECT_TRUE(RequireComponent<TRadioButton>(*fm, "rbPrintWhatAll")->Checked());
    EXPECT_FALSE(RequireComponent<TTimer>(*fm, "Timer1")->Enabled());
    EXPECT_EQ(RequireComponent<TMenuItem>(*fm, "itmPrint")->ShortCut(), 16464);
    EXPECT_TRUE(fm->log.empty()); // setting up fired no handler

    fm->Show();
    UserSelect(fm->cbxOutputDest, "Text File");
    UserClick(RequireComponent<TRadioButton>(*fm, "rbPrintWhatPageRange"));
    UserType(fm->edPageRangeFrom, "1a2");
    UserKeyDown(fm, VK_TAB, TShiftState{TShiftFlag::ssCtrl});
    UserKeyDown(fm, 'P', TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(fm->edPageRangeFrom->Text(), "12");
    EXPECT_EQ(fm->log, (std::vector<std::string>{"show", "destination Text File", "print what 6", "ctrl+tab",
                                                 "file menu", "print"}));
    EXPECT_THROW(RequireComponent<TEdit>(*fm, "sbPrint"), EComponentError);
    EXPECT_THROW(RequireComponent<TEdit>(*fm, "edNone"), EComponentError);
}

TEST_F(LayoutTest, LayoutMistakesAreReported) {
    auto build = [](TControlDesc control, THandlerTable handlers = THandlerTable()) {
        TForm* f = NewForm<TForm>(Application());
        TFormDesc d{.Name = "fmBad", .Controls = {std::move(control)}};
        try {
            BuildForm(*f, d, handlers);
        } catch (...) {
            f->Free();
            throw;
        }
        f->Free();
    };
    EXPECT_THROW(build({.Kind = "TGadget", .Name = "x"}), EComponentError);
    EXPECT_THROW(build({.Kind = "TEdit", .Name = "x", .Props = {{"Colour", "clRed"}}}), EComponentError);
    EXPECT_THROW(build({.Kind = "TEdit", .Name = "x", .Props = {{"ReadOnly", "maybe"}}}), EConvertError);
    EXPECT_THROW(build({.Kind = "TEdit", .Name = "x", .Parent = "paNone"}), EComponentError);
    EXPECT_THROW(build({.Kind = "TEdit", .Name = "x", .Events = {{"OnClick", "Missing"}}}), EComponentError);
    EXPECT_THROW(build({.Kind = "TEdit", .Name = "x", .Events = {{"OnTimer", "h"}}},
                       THandlerTable().Add("h", std::function<void(TObject*)>([](TObject*) {}))),
                 EComponentError);
    // A handler whose signature does not fit the event.
    EXPECT_THROW(build({.Kind = "TEdit", .Name = "x", .Events = {{"OnKeyPress", "h"}}},
                       THandlerTable().Add("h", std::function<void(TObject*)>([](TObject*) {}))),
                 EComponentError);
    EXPECT_THROW(build({.Kind = "TTimer", .Name = "x", .Caption = "tick"}), EComponentError);
    // A field of the form's class needs a component of its name and class.
    for (const char* kind : {"", "TButton"}) {
        SCOPED_TRACE(kind);
        auto* f = NewForm<TfmField>(Application());
        TFormDesc d{.Name = "fmField"};
        if (*kind) d.Controls.push_back({.Kind = kind, .Name = "edName"});
        EXPECT_THROW(BuildForm(*f, d, THandlerTable()), EComponentError);
        EXPECT_EQ(f->edName, nullptr);
        f->Free();
    }
    EXPECT_EQ(Screen()->FormCount(), 0);

    RegisterComponentClass("TOddPanel", [](TComponent* o) { return new TPanel(o); });
    EXPECT_TRUE(IsComponentClassRegistered("toddpanel"));
    EXPECT_NO_THROW(build({.Kind = "TOddPanel", .Name = "x"}));
}

TEST_F(LayoutTest, PrintSendsAnImageOfTheFormToThePrinter) {
    auto driver = std::make_unique<TVirtualPrinterDriver>();
    TVirtualPrinterDriver* virt = driver.get();
    SetPrinter(std::make_unique<TPrinter>(std::move(driver)));
    TfmOptions* fm = nullptr;
    Application()->CreateForm(fm);
    fm->PrintScale = TPrintScale::poPrintToFit;
    int rendered = 0;
    SetFormImageSource([&](TCustomForm& f, TWindowImage& image) {
        ++rendered;
        EXPECT_EQ(&f, fm);
        image.Native = &f;
    });
    fm->Print();
    SetFormImageSource(nullptr);
    EXPECT_EQ(rendered, 1);
    const auto images = virt->LastDocument().WindowImages();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].WindowName, "fmOptions");
    EXPECT_EQ(images[0].PrintScale, TPrintScale::poPrintToFit);
    EXPECT_EQ(images[0].ImageSize, (TSize{632, 433}));
    SetPrinter(nullptr);
}

class TRecordingObserver : public TFormObserver {
public:
    void FormCreated(TCustomForm& F) override { events.push_back("created " + F.Name()); }
    void FormShown(TCustomForm& F, bool Modal) override {
        events.push_back(std::string(Modal ? "shown modal " : "shown ") + F.Name());
    }
    void FormHidden(TCustomForm& F) override { events.push_back("hidden " + F.Name()); }
    void FormDestroying(TCustomForm& F) override { events.push_back("destroying " + F.Name()); }
    void ControlChanged(TControl& C, TControlChange Change) override {
        if (Change == TControlChange::ccText && !C.Name().empty()) events.push_back("text " + C.Name());
    }
    void MenuItemChanged(TMenuItem& I) override { events.push_back("menu " + I.Name()); }
    void ScreenCursorChanged(int Cursor) override { events.push_back("cursor " + std::to_string(Cursor)); }
    std::vector<std::string> events;
};

TEST_F(LayoutTest, ABackendCanObserveFormsAndControls) {
    TRecordingObserver observer;
    AddFormObserver(&observer);
    TfmOptions* fm = nullptr;
    Application()->CreateForm(fm);
    observer.events.clear(); // building told of every control
    fm->edPageRangeFrom->SetText("5");
    RequireComponent<TMenuItem>(*fm, "itmPrint")->SetEnabled(false);
    Screen()->SetCursor(crHourGlass);
    ui->OnModal("fmOptions", [](TCustomForm& f) { f.Close(); });
    fm->ShowModal();
    FreeAndNil(fm);
    RemoveFormObserver(&observer);
    Application()->CreateForm(fm);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"text edPageRangeFrom", "menu itmPrint", "cursor -11", "shown modal fmOptions",
                                        "hidden fmOptions", "destroying fmOptions"}));
}

} // namespace
} // namespace trx::testing
