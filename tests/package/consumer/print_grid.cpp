// An application's report: a form with a string grid and the report
// component, which picks the grid and prints it with the settings stored in
// the data directory (the test stores them to print at once to a text file).
//
//     print_grid <data directory>
//
// Says "<result of Print> <pages printed>".
#include <cstdio>

#include "engine/trx_errors.h"
#include "framework/forms/application.h"
#include "framework/forms/form.h"
#include "framework/grids/string_grid.h"
#include "ui/tabrix.h"

int main(int argc, char** argv) {
    using namespace trx;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data directory>\n", argv[0]);
        return 2;
    }
    int status = 1;
    try {
        auto* form = NewForm<TForm>(Application());
        form->SetName("fmStock");
        auto* grid = new TStringGrid(form);
        grid->SetName("sgStock");
        const char* const cells[][3] = {{"Item", "Kind", "Count"},
                                        {"Claw hammer", "Tools", "12"},
                                        {"Work gloves", "Clothing", "40"},
                                        {"Tape measure", "Tools", "7"}};
        grid->SetColCount(3);
        grid->SetRowCount(4);
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 3; ++col) grid->SetCells(col, row, cells[row][col]);

        auto* tabrix = new TTrxTabrix(form);
        tabrix->SetName("TrxTabrix1");
        tabrix->FileMgr->DataDir = argv[1];
        // As a form's streaming sets it: no settings-file operation.
        tabrix->BeginLoading();
        tabrix->SetReportId("Stock by kind (001.001)");
        tabrix->Loaded();
        if (tabrix->ObjectToPrint() != grid) {
            std::fprintf(stderr, "the component did not pick the grid\n");
        } else {
            const int result = tabrix->Print();
            std::printf("%d %d\n", result, tabrix->PagesPrinted);
            if (result == 1) status = 0;
        }
    } catch (const ETrxSUError& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    ResetApplication();
    return status;
}
