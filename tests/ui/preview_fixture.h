// A report printed to its text file and then previewed: the text file's
// pages are what the preview must show, page by page.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/report_fixture.h"
#include "framework/forms/standard_controls.h"
#include "ui/preview_window.h"

namespace trx::test {

class PreviewTest : public ReportTest {
protected:
    PreviewTest() {
        RS().OutputQuality = 0;
        RS().TxtCharsPageWid = 30;
        RS().LinesPerpage = 10;
        RS().Memo(TRptMemoNdx::rmPgTi).SetText("Page ^P");
        SetOpt(TStyleOptNdx::soFormFeeds, true);
    }
    ~PreviewTest() override { delete fm; }

    // Prints the whole report to the text file, keeps its pages, then opens
    // the preview on its first page.
    void Open(TComponent* Obj) {
        StartRun(Obj);
        ASSERT_EQ(PrintRun(), 1);
        pages = OutputPages();
        if (!pages.empty() && pages.back().find_first_not_of('\n') == std::string::npos) pages.pop_back();
        PS().Oper = TOper::opPreview;
        OI().ResizeColWids(nullptr);
        PS().CalcMemoHts();
        fm = new TfmPreview(nullptr);
        fm->Show();
    }
    std::string Shown() const {
        std::string crlf;
        for (int i = 0; i < fm->memPreview->Lines().Count(); ++i) crlf += fm->memPreview->Lines()[i] + "\r\n";
        return TrimLineEnds(crlf);
    }
    // The output page that page Page of the preview must show.
    const std::string& Expected(TPoint Page) {
        return pages.at(static_cast<std::size_t>((Page.Y - 1) * PS().PagesAcross + Page.X - 1));
    }
    TPoint Last() {
        const int n = static_cast<int>(pages.size());
        return TPoint{(n - 1) % PS().PagesAcross + 1, (n - 1) / PS().PagesAcross + 1};
    }
    void ExpectPageMatches(const std::string& Step) {
        const TPoint page = PS().CurPage;
        ASSERT_LE((page.Y - 1) * PS().PagesAcross + page.X, static_cast<int>(pages.size())) << Step;
        EXPECT_EQ(Shown(), Expected(page)) << Step << " page " << page.Y << "-" << page.X;
        EXPECT_EQ(fm->sbNextPage->Enabled(), !(page == Last())) << Step;
        EXPECT_EQ(fm->sbPrevPage->Enabled(), !(page == TPoint{1, 1})) << Step;
    }

    // A walk of Steps random steps, the page shown checked after each.
    void Walk(unsigned Seed, int Steps) {
        std::mt19937 rng(Seed);
        ExpectPageMatches("first show");
        for (int i = 0; i < Steps && !HasFatalFailure(); ++i) {
            std::string step;
            switch (rng() % 5) {
            case 0:
                step = "next";
                fm->sbNextPageClick(nullptr);
                break;
            case 1:
                step = "prev";
                fm->sbPrevPageClick(nullptr);
                break;
            case 2:
                step = "first";
                fm->sbFirstPageClick(nullptr);
                break;
            case 3:
                step = "last";
                fm->sbLastPageClick(nullptr);
                break;
            default: {
                const TPoint last = Last();
                const int y = static_cast<int>(rng() % static_cast<unsigned>(last.Y)) + 1;
                const int maxX = y == last.Y ? last.X : PS().PagesAcross;
                const int x = static_cast<int>(rng() % static_cast<unsigned>(maxX)) + 1;
                step = "typed " + std::to_string(y) + "-" + std::to_string(x);
                EXPECT_TRUE(fm->GotoPage(std::to_string(y) + "-" + std::to_string(x))) << step;
                EXPECT_EQ(PS().CurPage, (TPoint{x, y})) << step;
                break;
            }
            }
            ExpectPageMatches("step " + std::to_string(i) + " " + step);
        }
    }

    // A grid of nine columns, three pages across.
    static std::unique_ptr<TStringGrid> WideGrid(int Rows) { return Grid(9, Rows); }

    std::vector<std::string> pages;
    // A table printed, kept until the preview (whose page list holds its
    // bookmarks) is gone, as the dialog's preview goes before its object.
    std::unique_ptr<TTable> table;
    TfmPreview* fm = nullptr;
};

} // namespace trx::test
