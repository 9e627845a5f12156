// An application's form shown as a real window by the Qt backend, and the
// window's widgets as Qt sees them.
//
//     show_window <picture file>
//
// Says "<window title>|<shown>|<the button's text>" and saves a picture of
// the window.
#include <QAbstractButton>
#include <QWidget>

#include <cstdio>

#include "framework/forms/application.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/qt/qt_windows.h"

int main(int argc, char** argv) {
    using namespace trx;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <picture file>\n", argv[0]);
        return 2;
    }
    UseQtWindows();
    auto* form = NewForm<TForm>(Application());
    form->SetName("fmStock");
    form->SetCaption("Stock list");
    form->SetBounds(40, 30, 320, 160);
    auto* button = new TButton(form);
    button->SetName("buPrint");
    button->SetCaption("Print");
    button->SetBounds(16, 16, 96, 28);
    button->SetParent(form);
    form->Show();
    ProcessQtEvents();

    int status = 1;
    const QWidget* window = QtWidget(form);
    const auto* push = qobject_cast<const QAbstractButton*>(QtWidget(button));
    if (window && push) {
        std::printf("%s|%d|%s\n", window->windowTitle().toStdString().c_str(), window->isVisible() ? 1 : 0,
                    push->text().toStdString().c_str());
        if (SaveWindowPicture(form, argv[1])) status = 0;
    } else {
        std::fprintf(stderr, "the form has no window\n");
    }
    ResetApplication();
    StopQtWindows();
    return status;
}
