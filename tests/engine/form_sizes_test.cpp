#include <gtest/gtest.h>

#include "engine/form_sizes.h"
#include "engine/trx_errors.h"
#include "form_routines_fixture.h"
#include "framework/core/ini_file.h"
#include "support/temp_dir.h"

namespace trx::test {
namespace {

class FormSizesTest : public FormRoutinesTest {
protected:
    FormSizesTest() {
        Screen()->SetSize(1024, 768);
        form = NewForm<TForm>(Application());
        form->SetName("fmPreview");
        form->SetBounds(10, 20, 300, 200);
    }
    TForm* form;
};

TEST_F(FormSizesTest, MissingDimensionsTakeQuartersAndHalvesOfTheScreen) {
    int top = 0, left = -1, width = 0, height = -1;
    ChkWindowDim(top, left, width, height);
    EXPECT_EQ(top, 768 / 4);
    EXPECT_EQ(left, 1024 / 4);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 384);
}

TEST_F(FormSizesTest, AWindowPastTheScreenMovesBackAndAnOversizedOneIsCut) {
    int top = 700, left = 900, width = 300, height = 200;
    ChkWindowDim(top, left, width, height);
    EXPECT_EQ(top, 568);
    EXPECT_EQ(left, 724);
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 200);

    top = 100, left = 50, width = 1200, height = 900;
    ChkWindowDim(top, left, width, height);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(height, 768);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(width, 1024);
}

TEST_F(FormSizesTest, VisibilityCentresOrShrinksTheWindowToNothing) {
    SetWindowVisibility(form, false, TFormBorderStyle::bsDialog, TPoint{393, 244});
    EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsNone);
    EXPECT_EQ(form->Width(), 0);
    EXPECT_EQ(form->Height(), 0);
    SetWindowVisibility(form, true, TFormBorderStyle::bsDialog, TPoint{393, 244});
    EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsDialog);
    EXPECT_EQ(form->BoundsRect(),
              Rect((1024 - 393) / 2, (768 - 244) / 2, (1024 - 393) / 2 + 393, (768 - 244) / 2 + 244));
}

TEST_F(FormSizesTest, SizeAndPlaceRoundTripPerFormAndUser) {
    form->SetBounds(40, 30, 500, 400);
    IniSaveFormSize("Tabrix.Ini", form, "JOE");
    const TIniFile ini("Tabrix.Ini");
    EXPECT_EQ(ini.ReadInteger("Form:fmPreview User:JOE", "Window Top", 0), 30);
    EXPECT_EQ(ini.ReadInteger("Form:fmPreview User:JOE", "Window Width", 0), 500);
    EXPECT_EQ(ini.ReadString("Form:fmPreview User:JOE", "Window Maximized", ""), "0");

    // Another user has a section of his own; the first one's stays.
    form->SetBounds(1, 2, 3, 4);
    form->SetWindowState(TWindowState::wsMaximized);
    IniSaveFormSize("Tabrix.Ini", form, "ANN");
    EXPECT_FALSE(ini.ValueExists("Form:fmPreview User:ANN", "Window Top"));
    EXPECT_TRUE(ini.ReadBool("Form:fmPreview User:ANN", "Window Maximized", false));

    // The same form in a later run.
    form->Free();
    TForm* other = NewForm<TForm>(Application());
    other->SetName("fmPreview");
    int resized = 0;
    int widthSeen = 0;
    other->OnResize = [&](TObject* Sender) {
        ++resized;
        widthSeen = static_cast<TForm*>(Sender)->Width();
    };
    IniLoadFormSize("Tabrix.Ini", other, "JOE");
    EXPECT_EQ(other->BoundsRect(), Rect(40, 30, 540, 430));
    EXPECT_EQ(other->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(resized, 1); // once, after everything was set
    EXPECT_EQ(widthSeen, 500);
    ASSERT_TRUE(other->OnResize); // attached again

    // Only the maximized flag was stored for ANN: the place takes the
    // defaults, and the window is maximized over it.
    IniLoadFormSize("Tabrix.Ini", other, "ANN");
    EXPECT_EQ(other->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(other->Width(), 1024);
    other->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(other->BoundsRect(), Rect(256, 192, 256 + 512, 192 + 384));
}

TEST_F(FormSizesTest, AnUnknownSectionCentresAQuarterOfTheScreen) {
    IniLoadFormSize("Tabrix.Ini", form, "NOBODY");
    EXPECT_EQ(form->BoundsRect(), Rect(256, 192, 256 + 512, 192 + 384));
}

TEST_F(FormSizesTest, ABlankFileNameRaisesForLoadAndSaveAndANilFormDoesNothing) {
    for (const std::string name : {"", "   "}) {
        try {
            IniLoadFormSize(name, form, "JOE");
            ADD_FAILURE() << "no error for a blank name";
        } catch (const eTrxIntError& e) {
            EXPECT_EQ(e.Message, "Tabrix! Internal Error: [IniLoadFormSize] IniFileName is blank");
        }
        try {
            IniSaveFormSize(name, form, "JOE");
            ADD_FAILURE() << "no error for a blank name";
        } catch (const eTrxIntError& e) {
            EXPECT_EQ(e.Message, "Tabrix! Internal Error: [IniSaveFormSize] IniFileName is blank");
        }
    }
    IniLoadFormSize("Tabrix.Ini", nullptr, "JOE");
    IniSaveFormSize("Tabrix.Ini", nullptr, "JOE");
    EXPECT_FALSE(TIniFile("Tabrix.Ini").SectionExists("Form: User:JOE"));
}

} // namespace
} // namespace trx::test
