// The report component on its own: the object it picks on a form, the
// objects it takes, losing an object that goes, its user name and report
// identifier against the settings file, and the setup errors of Print.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/data/mem_dataset.h"
#include "framework/data/query.h"
#include "framework/data/table.h"
#include "framework/grids/db_grid.h"
#include "framework/grids/decision_grid.h"
#include "framework/grids/outline.h"
#include "framework/grids/tree_view.h"
#include "tabrix_fixture.h"

namespace trx::test {
namespace {

// ---- The object picked on a form -----------------------------------------------

class TabrixPickTest : public FormRoutinesTest {
protected:
    ~TabrixPickTest() override {
        ui.reset();
        ResetApplication();
    }
    TForm* Form() {
        if (!form) form = NewForm<TForm>(Application());
        return form;
    }
    TForm* form = nullptr;
};

TEST_F(TabrixPickTest, TheMostPrintableNamedComponentWinsAndTheFirstOfEquals) {
    using Maker = std::function<TComponent*(TComponent*)>;
    const Maker stringGrid = [](TComponent* o) { return new TStringGrid(o); };
    const Maker dbGrid = [](TComponent* o) { return new TDBGrid(o); };
    const Maker treeView = [](TComponent* o) { return new TTreeView(o); };
    const Maker outline = [](TComponent* o) { return new TOutline(o); };
    const Maker table = [](TComponent* o) { return new TTable(o); };
    const Maker query = [](TComponent* o) { return new TQuery(o); };
    const Maker dataSet = [](TComponent* o) { return new TMemDataSet(o); };
    const Maker decisionGrid = [](TComponent* o) { return new TDecisionGrid(o); };
    struct Case {
        const char* what;
        std::vector<std::pair<Maker, std::string>> components; // in component order; "" leaves it unnamed
        std::string picked; // "" for none
    };
    const std::vector<Case> cases{
        {"a database grid after a string grid", {{stringGrid, "sg"}, {dbGrid, "dbg"}}, "dbg"},
        {"two string grids", {{stringGrid, "sg1"}, {stringGrid, "sg2"}}, "sg1"},
        {"an unnamed database grid", {{stringGrid, "sg"}, {dbGrid, ""}}, "sg"},
        {"only a tree view and an outline", {{treeView, "tv"}, {outline, "ol"}}, ""},
        {"datasets", {{dataSet, "ds"}, {table, "tbl"}, {query, "qry"}}, "qry"},
        {"a table before a dataset", {{table, "tbl"}, {dataSet, "ds"}}, "tbl"},
#ifdef UseDecGrid
        {"a decision grid among grids", {{dbGrid, "dbg"}, {decisionGrid, "dg"}, {stringGrid, "sg"}}, "dg"},
#endif
        {"nothing printable", {}, ""},
    };
    for (const Case& c : cases) {
        auto* f = NewForm<TForm>(Application());
        for (const auto& [make, name] : c.components) make(f)->SetName(name);
        auto* t = new TTrxTabrix(f);
        EXPECT_EQ(t->ObjectToPrint() ? t->ObjectToPrint()->Name() : std::string(), c.picked) << c.what;
        f->Free();
    }
    (void)decisionGrid;
}

TEST_F(TabrixPickTest, AComponentOwnedByAnythingButAFormPicksNothing) {
    TComponent module(nullptr);
    (new TStringGrid(&module))->SetName("sg");
    TTrxTabrix t(&module);
    EXPECT_EQ(t.ObjectToPrint(), nullptr);
    TTrxTabrix orphan(nullptr);
    EXPECT_EQ(orphan.ObjectToPrint(), nullptr);
}

// ---- Objects taken and lost --------------------------------------------------------

TEST_F(TabrixPickTest, OnlyPrintableObjectsAreTakenAndTheRefusalNamesTheObject) {
    TForm* f = Form();
    f->SetName("fmMain");
    auto* sg = new TStringGrid(f);
    sg->SetName("sgItems");
    auto* tv = new TTreeView(f);
    tv->SetName("tvNodes");
    auto* ol = new TOutline(f);
    ol->SetName("olNodes");
    auto* t = new TTrxTabrix(f);
    ASSERT_EQ(t->ObjectToPrint(), sg);

    for (TComponent* refused : std::vector<TComponent*>{tv, ol}) {
        try {
            t->SetObjectToPrint(refused);
            ADD_FAILURE() << "no error";
        } catch (const ETrxSUError& e) {
            EXPECT_EQ(e.Message,
                      "Tabrix! Setup Error: The TtrxTabrix.ObjectToPrint property is set to a component "
                      "(\"fmMain." +
                          refused->Name() + "\") that cannot be printed by Tabrix!");
        }
        EXPECT_EQ(t->ObjectToPrint(), sg);
    }
    // An object without an owner is named with an empty owner name.
    TTreeView loose(nullptr);
    loose.SetName("tvLoose");
    try {
        t->SetObjectToPrint(&loose);
        ADD_FAILURE() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Setup Error: The TtrxTabrix.ObjectToPrint property is set to a component "
                  "(\".tvLoose\") that cannot be printed by Tabrix!");
    }
    t->SetObjectToPrint(nullptr);
    EXPECT_EQ(t->ObjectToPrint(), nullptr);
}

TEST_F(TabrixPickTest, AnObjectThatGoesIsNoLongerTheObjectToPrint) {
    TForm* f = Form();
    auto* sg = new TStringGrid(f);
    sg->SetName("sgItems");
    auto* t = new TTrxTabrix(f);
    ASSERT_EQ(t->ObjectToPrint(), sg);
    f->RemoveComponent(sg); // taken off its form: the picked object is dropped
    EXPECT_EQ(t->ObjectToPrint(), nullptr);
    delete sg;

    // An object on a data module, and the default pick, are watched
    // wherever they live; an object given up is watched no longer.
    auto module = std::make_unique<TComponent>(nullptr);
    auto* onModule = new TMemDataSet(module.get());
    auto* other = new TMemDataSet(nullptr);
    t->SetObjectToPrint(onModule);
    t->SetObjectToPrint(other);
    module.reset();
    EXPECT_EQ(t->ObjectToPrint(), other);
    t->SetObjectToPrint(onModule = new TMemDataSet(nullptr));
    delete other;
    EXPECT_EQ(t->ObjectToPrint(), onModule);
    delete onModule;
    EXPECT_EQ(t->ObjectToPrint(), nullptr);

    auto* second = NewForm<TForm>(Application());
    auto* picked = new TStringGrid(second);
    picked->SetName("sgPicked");
    auto* t2 = new TTrxTabrix(second);
    ASSERT_EQ(t2->ObjectToPrint(), picked);
    t->SetObjectToPrint(picked);
    delete picked;
    EXPECT_EQ(t->ObjectToPrint(), nullptr);
    EXPECT_EQ(t2->ObjectToPrint(), nullptr);
}

// ---- User name and report identifier -------------------------------------------------

TEST_F(TabrixTest, AUserNameIsCutToEightCharactersBeforeItIsStripped) {
    tbx->BeginLoading();
    tbx->SetUserName("ab-d ef12345");
    tbx->SetReportId("Sales (002.002)");
    tbx->Loaded();
    EXPECT_EQ(tbx->UserName().str(), "abdef1");
    EXPECT_EQ(tbx->GetReportId().str(), "Sales (002.002)");
    EXPECT_FALSE(FileExists(SettingsFile())); // set while loading: no file operation
}

TEST_F(TabrixTest, ChangesOutsideLoadingRenameTheStoredSection) {
    WriteAll(SettingsFile(), "[Items (001.001)]\r\nPanelsAcrossPage=2\r\n");
    tbx->SetReportId(kReportId); // the same identifier: nothing
    EXPECT_EQ(ReadAll(SettingsFile()), "[Items (001.001)]\r\nPanelsAcrossPage=2\r\n");
    tbx->SetUserName("ann");
    EXPECT_EQ(tbx->UserName().str(), "ann");
    EXPECT_NE(ReadAll(SettingsFile()).find("[ann:Items (001.001)]"), std::string::npos);
    tbx->SetReportId("Totals");
    EXPECT_EQ(tbx->UserName().str(), "ann");
    // Completed with a suffix by the settings file.
    ASSERT_EQ(tbx->GetReportId().str().substr(0, 7), "Totals ");
    EXPECT_NE(ReadAll(SettingsFile()).find("[ann:" + tbx->GetReportId().str() + "]"), std::string::npos);
    EXPECT_EQ(ReadAll(SettingsFile()).find("Items (001.001)"), std::string::npos);
}

TEST_F(TabrixTest, ReadingAnEmptyIdentifierReservesOneUnderTheUser) {
    TTrxTabrix* t = NewComponent("TrxTabrix2", "");
    t->BeginLoading();
    t->SetUserName("bob");
    t->Loaded();
    const std::string id = t->GetReportId().str();
    ASSERT_TRUE(TtrxReportId::MaxLength >= static_cast<int>(id.size()));
    TtrxReportId check = id;
    EXPECT_TRUE(TtrxFileMgr::ValidateReportIdSyntax(check, false)) << id;
    EXPECT_EQ(t->UserName().str(), "bob");
    EXPECT_EQ(t->GetReportId().str(), id); // a second read reserves nothing more
    EXPECT_EQ(ReadAll(SettingsFile()), "[bob:" + id + "]\r\n");

    // Nothing is reserved without auto-save.
    TTrxTabrix* w = NewComponent("TrxTabrix3", "");
    w->AllowAutoSave = false;
    EXPECT_EQ(w->GetReportId().str(), "");
    EXPECT_EQ(ReadAll(SettingsFile()), "[bob:" + id + "]\r\n");
}

TEST_F(TabrixTest, DeletingAndRenamingGoThroughTheComponentsNames) {
    WriteAll(SettingsFile(), "[Items (001.001)]\r\nPanelsAcrossPage=2\r\n[Other (003.003)]\r\nPanelsAcrossPage=3\r\n");
    EXPECT_TRUE(tbx->RenameReportSettings("", "Other (003.003)", "eve", "Moved (004.004)"));
    EXPECT_EQ(tbx->UserName().str(), "eve");
    EXPECT_EQ(tbx->GetReportId().str(), "Moved (004.004)");
    tbx->AllowAutoSave = false;
    EXPECT_FALSE(tbx->DeleteReportSettings());
    EXPECT_NE(ReadAll(SettingsFile()).find("[eve:Moved (004.004)]"), std::string::npos);
    tbx->AllowAutoSave = true;
    EXPECT_TRUE(tbx->DeleteReportSettings());
    EXPECT_EQ(ReadAll(SettingsFile()), "[Items (001.001)]\r\nPanelsAcrossPage=2\r\n");
}

TEST_F(TabrixTest, OutsideARunLoadingFailsAndSavingKeepsTheSection) {
    WriteAll(SettingsFile(), "[Items (001.001)]\r\nPanelsAcrossPage=2\r\n");
    try {
        tbx->LoadReportSettings();
        ADD_FAILURE() << "no error";
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Internal Error: Attempt to load report settings before running TtrxTabrix.Print method");
    }
    EXPECT_THROW(tbx->SaveReportSettings(), eTrxIntError);
    EXPECT_EQ(ReadAll(SettingsFile()), "[Items (001.001)]\r\nPanelsAcrossPage=2\r\n");
}

// ---- Setup errors of Print ------------------------------------------------------------

TEST_F(TabrixTest, PrintRefusesWhatCannotRunBeforeAnythingStarts) {
    auto expectError = [&](const std::string& Text) {
        try {
            tbx->Print();
            ADD_FAILURE() << "no error for " << Text;
        } catch (const ETrxSUError& e) {
            EXPECT_EQ(e.Message, Text);
        }
        EXPECT_EQ(fmTBXMain, nullptr);
        EXPECT_EQ(Screen()->FormCount(), 1);
        EXPECT_TRUE(ui->Calls().empty());
    };
    tbx->SetObjectToPrint(nullptr);
    expectError("Tabrix! Setup Error: TrxTabrix1.ObjectToPrint not assigned. Report cannot continue");
    tbx->SetObjectToPrint(grid);
    TTrxTabrix* blank = NewComponent("TrxTabrix2", "   ");
    std::swap(tbx, blank);
    expectError("Tabrix! Setup Error: TrxTabrix2.ReportId is blank. Report cannot continue");
    std::swap(tbx, blank);
    tbx->FileMgr.reset();
    expectError("Tabrix! Setup Error: TtrxTabrix component could not be created properly");
}

} // namespace
} // namespace trx::test
