// Data sources and links: what they hear from a dataset, DisableControls
// nesting, Enabled, and references that never dangle.
#include <gtest/gtest.h>

#include <memory>

#include "framework/data/data_source.h"
#include "framework/data/mem_dataset.h"

using namespace trx;

namespace {

class TCountingLink : public TDataLink {
public:
    int Actives = 0, Changes = 0, Scrolls = 0, LastDistance = 0;

protected:
    void ActiveChanged() override { ++Actives; }
    void DataSetChanged() override { ++Changes; }
    void DataSetScrolled(int Distance) override {
        ++Scrolls;
        LastDistance = Distance;
    }
};

std::unique_ptr<TMemDataSet> Numbers(int Count, TComponent* Owner = nullptr) {
    auto ds = std::make_unique<TMemDataSet>(Owner);
    ds->AddFieldDef("n", TFieldType::ftInteger);
    for (int i = 1; i <= Count; ++i) ds->AppendRecord({i});
    return ds;
}

} // namespace

TEST(DataSource, LinksHearOfOpeningStepsAndClosing) {
    auto ds = Numbers(3);
    TDataSource src;
    int stateChanges = 0, dataChanges = 0;
    src.OnStateChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &src);
        ++stateChanges;
    };
    src.OnDataChange = [&](TObject*, TField* Field) {
        EXPECT_EQ(Field, nullptr);
        ++dataChanges;
    };
    TCountingLink link;
    link.SetDataSource(&src);
    src.SetDataSet(ds.get());
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(src.State(), TDataSetState::dsInactive);

    ds->Open();
    EXPECT_TRUE(link.Active());
    EXPECT_EQ(link.Actives, 1);
    EXPECT_EQ(stateChanges, 1);
    EXPECT_EQ(src.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(link.DataSet(), ds.get());

    ds->Next();
    EXPECT_EQ(link.Scrolls, 1);
    EXPECT_EQ(link.LastDistance, 1);
    ds->Next();
    ds->Next(); // at Eof: no move, no news
    EXPECT_EQ(link.Scrolls, 2);
    ds->First();
    EXPECT_EQ(link.Changes, 1);
    EXPECT_EQ(dataChanges, 3);

    ds->Close();
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(link.Actives, 2);
    EXPECT_EQ(stateChanges, 2);
}

TEST(DataSource, DisableControlsNestsAndNeverGoesBelowZero) {
    auto ds = Numbers(5);
    ds->Open();
    TDataSource src;
    src.SetDataSet(ds.get());
    TCountingLink link;
    link.SetDataSource(&src);

    ds->DisableControls();
    ds->DisableControls();
    ds->Next();
    ds->Last();
    ds->EnableControls();
    EXPECT_TRUE(ds->ControlsDisabled());
    ds->Prior();
    EXPECT_EQ(link.Scrolls + link.Changes, 0) << "nothing is heard while disabled";
    ds->EnableControls();
    EXPECT_FALSE(ds->ControlsDisabled());
    EXPECT_EQ(link.Changes, 1) << "one change of the whole dataset when enabled again";
    EXPECT_EQ(ds->Fields(0)->AsInteger(), 4);

    ds->EnableControls(); // one too many
    ds->EnableControls();
    EXPECT_FALSE(ds->ControlsDisabled());
    ds->DisableControls();
    EXPECT_TRUE(ds->ControlsDisabled()) << "the extra calls did not go below zero";
    ds->Close();
    ds->EnableControls();
    EXPECT_FALSE(link.Active()) << "the state change is heard when enabled again";
    EXPECT_EQ(link.Changes, 1);
}

TEST(DataSource, DisabledSourcePassesNothingOn) {
    auto ds = Numbers(2);
    ds->Open();
    TDataSource src;
    src.SetDataSet(ds.get());
    TCountingLink link;
    link.SetDataSource(&src);
    ASSERT_TRUE(link.Active());
    src.SetEnabled(false);
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(src.State(), TDataSetState::dsInactive);
    ds->Next();
    EXPECT_EQ(link.Scrolls, 0);
    src.SetEnabled(true);
    EXPECT_TRUE(link.Active());
    EXPECT_EQ(link.Actives, 3);
}

TEST(DataSource, ReferencesAreDroppedWhenTheOtherSideIsFreed) {
    auto ds = Numbers(1);
    ds->Open();
    auto src = std::make_unique<TDataSource>();
    src->SetDataSet(ds.get());
    TCountingLink link;
    link.SetDataSource(src.get());
    ASSERT_TRUE(link.Active());

    ds.reset();
    EXPECT_EQ(src->DataSet(), nullptr);
    EXPECT_FALSE(link.Active());
    EXPECT_EQ(link.DataSet(), nullptr);

    src.reset();
    EXPECT_EQ(link.DataSource(), nullptr);

    // Owned by one form, freed in any order by their owner.
    {
        TComponent form;
        TDataSource* owned = new TDataSource(&form);
        TMemDataSet* data = Numbers(2, &form).release();
        owned->SetDataSet(data);
        data->Open();
        TCountingLink other;
        other.SetDataSource(owned);
        EXPECT_TRUE(other.Active());
        delete data;
        EXPECT_EQ(owned->DataSet(), nullptr);
        EXPECT_FALSE(other.Active());
        other.SetDataSource(nullptr);
        EXPECT_EQ(owned->LinkCount(), 0);
    }
    {
        TComponent form;
        auto* data = Numbers(2, &form).release();
        auto* owned = new TDataSource(&form);
        owned->SetDataSet(data);
        data->Open();
    } // the form frees the source first, then the dataset
}
