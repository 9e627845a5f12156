// Database grids: default and customised columns, titles and widths.
#include <gtest/gtest.h>

#include <memory>

#include "framework/data/data_source.h"
#include "framework/data/mem_dataset.h"
#include "framework/forms/form.h"
#include "framework/forms/form_layout.h"
#include "framework/grids/db_grid.h"

using namespace trx;

namespace {

class DBGridTest : public ::testing::Test {
protected:
    DBGridTest() {
        data.SetName("People");
        data.AddFieldDef("Name", TFieldType::ftString, 20);
        data.AddFieldDef("Secret", TFieldType::ftString, 10);
        data.AddFieldDef("Age", TFieldType::ftInteger);
        data.AppendRecord({"Ann", "x", 31});
        source.SetName("dsPeople");
        source.SetDataSet(&data);
        grid.SetDataSource(&source);
    }

    TMemDataSet data;
    TDataSource source;
    TDBGrid grid{nullptr};
};

TEST_F(DBGridTest, DefaultColumnsFollowTheVisibleFieldsWhenTheDataSetOpens) {
    EXPECT_EQ(grid.FieldCount(), 0);
    data.Open();
    ASSERT_EQ(grid.FieldCount(), 3);
    EXPECT_EQ(grid.Fields(2)->FieldName, "Age");
    EXPECT_EQ(grid.Columns()[0]->Title().Caption(), "Name");
    EXPECT_EQ(grid.ColCount(), 4); // the record indicator and three columns

    data.Close();
    EXPECT_EQ(grid.Fields(0), nullptr); // no field while closed
    data.Open();
    data.FieldByName("Secret")->Visible = false;
    data.Close();
    data.Open();
    ASSERT_EQ(grid.FieldCount(), 2);
    EXPECT_EQ(grid.Columns()[1]->FieldName(), "Age");
    EXPECT_EQ(grid.Fields(5), nullptr);
}

TEST_F(DBGridTest, CustomColumnsStayAndMayLackAField) {
    data.Open();
    TColumn* age = grid.Columns().Add(); // replaces the default columns
    age->SetFieldName("Age");
    TColumn* gone = grid.Columns().Add();
    gone->SetFieldName("NoSuchField");
    ASSERT_EQ(grid.FieldCount(), 2);
    EXPECT_EQ(grid.Columns().State(), TDBGridColumnsState::csCustomized);
    EXPECT_EQ(grid.Fields(0)->AsInteger(), 31);
    EXPECT_EQ(grid.Fields(1), nullptr);
    EXPECT_EQ(gone->Title().Caption(), "NoSuchField");
    data.Close();
    data.Open();
    EXPECT_EQ(grid.FieldCount(), 2); // reopening keeps the application's columns
    EXPECT_EQ(gone->Index(), 1);

    grid.Columns().RebuildColumns();
    EXPECT_EQ(grid.FieldCount(), 3);
}

TEST_F(DBGridTest, TitlesWidthsAndVisibility) {
    data.Open();
    data.FieldByName("Age")->DisplayLabel = "Years";
    TColumn* col = grid.Columns()[2];
    EXPECT_EQ(col->Title().Caption(), "Years");
    col->Title().SetCaption("Age (y)");
    EXPECT_EQ(col->Title().Caption(), "Age (y)");
    col->Title().RestoreDefaults();
    EXPECT_EQ(col->Title().Caption(), "Years");

    const int digit = grid.Canvas().TextWidth("0");
    EXPECT_EQ(grid.Columns()[0]->Width(), 20 * digit + 4);
    // A huge declared size widens the column as far as there is room, no further.
    data.FieldByName("Name")->SetDisplayWidth(2147483647);
    EXPECT_EQ(grid.Columns()[0]->Width(), 2147483647);
    data.FieldByName("Name")->SetDisplayWidth(0);
    col->SetWidth(77);
    EXPECT_EQ(col->Width(), 77);
    EXPECT_TRUE(col->Visible());
    col->SetVisible(false);
    EXPECT_FALSE(col->Visible());
}

TEST_F(DBGridTest, ForgetsAFreedDataSource) {
    auto* other = new TDataSource();
    grid.SetDataSource(other);
    EXPECT_EQ(grid.DataSource(), other);
    delete other;
    EXPECT_EQ(grid.DataSource(), nullptr);
    EXPECT_EQ(grid.DataSet(), nullptr);
}

} // namespace

TEST(DBGridLayout, AFormLayoutMakesAReadOnlyDatabaseGrid) {
    RegisterDBGridLayoutKind();
    RegisterDBGridLayoutKind(); // again: no harm
    std::unique_ptr<TForm> form(new TForm(nullptr));
    const TFormDesc desc{.Name = "fmGrid",
                         .Controls = {{.Kind = "TDBGrid",
                                       .Name = "dbgStyles",
                                       .Width = 200,
                                       .Height = 100,
                                       .Props = {{"ReadOnly", "True"}, {"DefaultRowHeight", "17"}}}}};
    BuildForm(*form, desc, THandlerTable());
    auto* grid = dynamic_cast<TDBGrid*>(form->FindComponent("dbgStyles"));
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->ReadOnly);
    EXPECT_EQ(grid->DefaultRowHeight(), 17);
    EXPECT_EQ(grid->Parent(), form.get());
}
