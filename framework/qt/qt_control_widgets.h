// One plain Qt widget per kind of control, and how each shows its control's
// state. The widgets are views only: what a user does to them is caught
// before they see it (qt_windows.h) and handed to the model, and the model's
// changes come back here one property at a time.
#pragma once

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/forms/form_observer.h"
#include "framework/printing/graphics.h"

class QTabBar;

namespace trx {

class TControl;

enum class TQtWidgetKind : uint8_t {
    wkForm,
    wkLabel,
    wkPanel,
    wkGroupBox,
    wkButton,
    wkCheckBox,
    wkRadioButton,
    wkEdit,
    wkMemo,
    wkComboBox,
    wkListBox,
    wkTabControl,
    wkSpeedButton,
    wkGrid, // string and database grids (qt_grid_widget.h)
    wkContainer, // notebooks, their pages and controls of other kinds
};

TQtWidgetKind WidgetKindOf(const TControl& Control);

// Text of the model (UTF-8) as Qt shows it.
QString QtText(const std::string& Text);
// A caption with its '&' accelerator as rich text: the letter underlined.
QString QtAccelText(const std::string& Caption);
// A colour, system colours in the application's palette.
QColor QtWidgetColor(TColor Color);
// UTF-8 byte offsets and the character offsets of the same text in Qt.
int QtOffset(const std::string& Text, int ByteOffset);
int ByteOffset(const QString& Text, int QtOffset);
// A memo's text with its line breaks (CR LF, CR or LF) as Qt's LF.
QString QtMemoText(const std::string& Text);
// The stock picture of a speed button's glyph name (extra_controls.h); a
// null icon for none.
QIcon QtGlyph(const std::string& Name);
// The Qt cursor of a cursor of the model (crDefault: the arrow).
Qt::CursorShape QtCursorShape(int Cursor);

// A panel: its bevel, and its caption drawn in its font and colours.
class TQtPanel : public QFrame {
public:
    explicit TQtPanel(QWidget* Parent) : QFrame(Parent) {}
    QString Caption;
    Qt::Alignment CaptionAlignment = Qt::AlignCenter;

protected:
    void paintEvent(QPaintEvent* Event) override;
};

// A combo box whose list the model opens and closes. OnClosedByUser tells
// that Qt closed the list itself (a pick, a click outside, Escape).
class TQtComboBox : public QComboBox {
public:
    explicit TQtComboBox(QWidget* Parent) : QComboBox(Parent) {}
    void ShowList(bool Open);
    void hidePopup() override;
    std::function<void()> OnClosedByUser;

private:
    bool showing_ = false;
};

// A list box drawn from its items, or, owner-drawn, from the picture the
// model's OnDrawItem painted (Rendered), which the backend renders outside
// Qt's paint events.
class TQtListBox : public QAbstractScrollArea {
public:
    explicit TQtListBox(QWidget* Parent);
    QStringList Items;
    int Selected = -1;
    int Top = 0;
    int ItemHeight = 16;
    bool OwnerDrawn = false;
    QImage Rendered;
    // The item under a point of the viewport, or -1.
    int ItemAt(QPoint ViewportPos) const;
    // The scroll bar after a change of the items, their height or the top item.
    void UpdateScrollBar();
    // The user moved the scroll bar.
    std::function<void(int Top)> OnScrolled;
    // The viewport took a new size: an owner-drawn picture is to be drawn
    // anew at that size. A hidden widget learns its size only when shown.
    std::function<void()> OnResized;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    bool syncing_ = false;
};

// A tab control: a strip of tabs over the area that holds its controls.
class TQtTabControl : public QWidget {
public:
    explicit TQtTabControl(QWidget* Parent);
    QTabBar* Bar() const { return bar_; }

protected:
    void resizeEvent(QResizeEvent* Event) override;

private:
    QTabBar* bar_;
};

// Makes the widget of a control (not a form) inside Parent, showing it as
// it is now.
QWidget* MakeControlWidget(TQtWidgetKind Kind, TControl& Control, QWidget* Parent);

// Shows one change of a control on its widget.
void SyncWidget(TQtWidgetKind Kind, TControl& Control, QWidget& Widget, TControlChange Change);
// Shows every property of a control on its widget.
void SyncWholeWidget(TQtWidgetKind Kind, TControl& Control, QWidget& Widget);

// A control's font and colours on a widget (forms too).
void SyncLook(TQtWidgetKind Kind, TControl& Control, QWidget& Widget);

} // namespace trx
