// Controls on a notebook page that was hidden while the window came up get
// their size only when the page is turned to: an owner-drawn list there is
// then painted at its full size.
#include <gtest/gtest.h>

#include <QImage>

#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/qt/qt_control_widgets.h"
#include "qt_user.h"

namespace trx::test {
namespace {

class PageTurnTest : public ::testing::Test, public QtWindowsFixture {
protected:
    ~PageTurnTest() override { ResetApplication(); }
};

TEST_F(PageTurnTest, AnOwnerDrawnListOnAPageTurnedToIsPaintedAtItsSize) {
    TForm* form = NewForm<TForm>(Application());
    form->SetName("fmPages");
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    auto* book = new TNotebook(form);
    book->SetName("nbPages");
    book->SetParent(form);
    book->SetAlign(TAlign::alClient);
    TStringList pages;
    pages.Add("First");
    pages.Add("Second");
    book->SetPages(pages);
    auto* list = new TListBox(form);
    list->SetName("lbxStyles");
    list->SetParent(book->Page(1));
    list->SetBounds(10, 10, 300, 250);
    list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    list->SetItemHeight(20);
    for (const char* s : {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"}) list->Items().Add(s);
    list->OnDrawItem = [list](TWinControl*, int, TRect Rect, TOwnerDrawState) {
        list->Canvas().Brush().SetColor(clRed);
        list->Canvas().FillRect(Rect);
    };
    form->Show();
    Application()->ProcessMessages();

    book->SetPageIndex(1);
    auto* w = dynamic_cast<TQtListBox*>(QtWidget(list));
    ASSERT_NE(w, nullptr);
    // The last item, low in the list, is painted too.
    ASSERT_TRUE(ProcessUntil([w] {
        return w->isVisible() && w->Rendered.size() == w->viewport()->size() && w->Rendered.height() > 8 * 20 &&
               w->Rendered.pixelColor(100, 8 * 20 + 10) == QColor(Qt::red);
    }));
    form->Hide();
}

} // namespace
} // namespace trx::test
