#include "framework/qt/qt_control_widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTextBlock>
#include <QToolButton>

#include <algorithm>

#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/grids/custom_grid.h"
#include "framework/qt/qt_grid_widget.h"
#include "framework/qt/qt_painter_device.h"
#include "framework/qt/qt_screen_device.h"

namespace trx {

// ---------------------------------------------------------------------------
// Conversions

QString QtText(const std::string& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

QString QtAccelText(const std::string& Caption) {
    QString out;
    const QString text = QtText(Caption);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] == QLatin1Char('&'))
                out += QStringLiteral("&amp;");
            else
                out += QStringLiteral("<u>") + QString(text[i]).toHtmlEscaped() + QStringLiteral("</u>");
            continue;
        }
        if (c == QLatin1Char('\n'))
            out += QStringLiteral("<br>");
        else if (c != QLatin1Char('\r'))
            out += QString(c).toHtmlEscaped();
    }
    return out;
}

QColor QtWidgetColor(TColor Color) {
    if (!IsSystemColor(Color)) return QtColor(Color);
    const QPalette pal = QApplication::palette();
    switch (Color) {
    case clWindow: return pal.color(QPalette::Base);
    case clWindowText:
    case clMenuText:
    case clCaptionText: return pal.color(QPalette::WindowText);
    case clBtnFace:
    case clMenu: return pal.color(QPalette::Window);
    case clBtnText: return pal.color(QPalette::ButtonText);
    case clHighlight: return pal.color(QPalette::Highlight);
    case clHighlightText: return pal.color(QPalette::HighlightedText);
    case clGrayText: return pal.color(QPalette::Disabled, QPalette::WindowText);
    case clInfoBk: return pal.color(QPalette::ToolTipBase);
    case clInfoText: return pal.color(QPalette::ToolTipText);
    case clBtnShadow: return pal.color(QPalette::Dark);
    case clBtnHighlight: return pal.color(QPalette::Light);
    default: return QtColor(Color);
    }
}

int QtOffset(const std::string& Text, int ByteOffset) {
    const std::size_t n = static_cast<std::size_t>(std::clamp(ByteOffset, 0, static_cast<int>(Text.size())));
    return static_cast<int>(QString::fromUtf8(Text.data(), static_cast<qsizetype>(n)).size());
}

int ByteOffset(const QString& Text, int QtOffset) {
    return static_cast<int>(Text.left(std::clamp<qsizetype>(QtOffset, 0, Text.size())).toUtf8().size());
}

QString QtMemoText(const std::string& Text) {
    QString s = QtText(Text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QIcon QtGlyph(const std::string& Name) {
    static const std::pair<const char*, QStyle::StandardPixmap> kGlyphs[] = {
        {"Exit", QStyle::SP_DialogCloseButton},
        {"Save", QStyle::SP_DialogSaveButton},
        {"Preview", QStyle::SP_FileDialogContentsView},
        {"PrinterSetup", QStyle::SP_FileDialogDetailedView},
        {"First", QStyle::SP_MediaSkipBackward},
        {"Prior", QStyle::SP_ArrowLeft},
        {"Next", QStyle::SP_ArrowRight},
        {"Last", QStyle::SP_MediaSkipForward},
        {"FitWidth", QStyle::SP_ToolBarHorizontalExtensionButton},
        {"FitHeight", QStyle::SP_ToolBarVerticalExtensionButton},
        {"Clipboard", QStyle::SP_FileIcon},
    };
    for (const auto& [name, pixmap] : kGlyphs)
        if (Name == name) return QApplication::style()->standardIcon(pixmap);
    return QIcon();
}

Qt::CursorShape QtCursorShape(int Cursor) {
    switch (Cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

TQtWidgetKind WidgetKindOf(const TControl& C) {
    if (dynamic_cast<const TCustomForm*>(&C)) return TQtWidgetKind::wkForm;
    if (dynamic_cast<const TLabel*>(&C)) return TQtWidgetKind::wkLabel;
    if (dynamic_cast<const TPanel*>(&C)) return TQtWidgetKind::wkPanel;
    if (dynamic_cast<const TGroupBox*>(&C)) return TQtWidgetKind::wkGroupBox;
    if (dynamic_cast<const TButton*>(&C)) return TQtWidgetKind::wkButton;
    if (dynamic_cast<const TCheckBox*>(&C)) return TQtWidgetKind::wkCheckBox;
    if (dynamic_cast<const TRadioButton*>(&C)) return TQtWidgetKind::wkRadioButton;
    if (dynamic_cast<const TMemo*>(&C)) return TQtWidgetKind::wkMemo;
    if (dynamic_cast<const TCustomEdit*>(&C)) return TQtWidgetKind::wkEdit;
    if (dynamic_cast<const TComboBox*>(&C)) return TQtWidgetKind::wkComboBox;
    if (dynamic_cast<const TListBox*>(&C)) return TQtWidgetKind::wkListBox;
    if (dynamic_cast<const TTabControl*>(&C)) return TQtWidgetKind::wkTabControl;
    if (dynamic_cast<const TSpeedButton*>(&C)) return TQtWidgetKind::wkSpeedButton;
    if (dynamic_cast<const TCustomGrid*>(&C)) return TQtWidgetKind::wkGrid;
    return TQtWidgetKind::wkContainer;
}

// ---------------------------------------------------------------------------
// Widgets

void TQtPanel::paintEvent(QPaintEvent* Event) {
    QFrame::paintEvent(Event);
    if (Caption.isEmpty()) return;
    QRect area = contentsRect().adjusted(2, 0, -2, 0);
    Qt::Alignment alignment = CaptionAlignment;
    // Over part of a panel that shows the same caption (a bar in its
    // track), the caption stands where the parent's does: the text reads
    // whole across both instead of being cut at this panel's edge.
    if (const auto* parent = dynamic_cast<const TQtPanel*>(parentWidget()); parent && parent->Caption == Caption) {
        area = parent->contentsRect().adjusted(2, 0, -2, 0).translated(-pos());
        alignment = parent->CaptionAlignment;
    }
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(area, static_cast<int>(alignment | Qt::AlignVCenter), Caption);
}

void TQtComboBox::ShowList(bool Open) {
    if (Open == showing_) return;
    showing_ = Open;
    if (Open)
        showPopup();
    else
        QComboBox::hidePopup();
}

void TQtComboBox::hidePopup() {
    const bool byUser = showing_;
    showing_ = false;
    QComboBox::hidePopup();
    if (byUser && OnClosedByUser) OnClosedByUser();
}

TQtListBox::TQtListBox(QWidget* Parent) : QAbstractScrollArea(Parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int Value) {
        if (!syncing_ && OnScrolled) OnScrolled(Value);
    });
}

int TQtListBox::ItemAt(QPoint ViewportPos) const {
    if (ItemHeight <= 0 || ViewportPos.y() < 0) return -1;
    const int i = Top + ViewportPos.y() / ItemHeight;
    return i < Items.size() ? i : -1;
}

void TQtListBox::UpdateScrollBar() {
    syncing_ = true;
    const int visible = ItemHeight > 0 ? std::max(1, viewport()->height() / ItemHeight) : 1;
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(Items.size()) - visible));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setValue(Top);
    syncing_ = false;
}

void TQtListBox::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    if (OwnerDrawn) {
        p.drawImage(0, 0, Rendered);
        return;
    }
    p.setFont(font());
    for (int i = Top, y = 0; i < Items.size() && y < viewport()->height(); ++i, y += ItemHeight) {
        const QRect r(0, y, viewport()->width(), ItemHeight);
        const bool selected = i == Selected;
        if (selected) p.fillRect(r, palette().color(QPalette::Highlight));
        p.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, Items[i]);
    }
}

void TQtListBox::resizeEvent(QResizeEvent* Event) {
    QAbstractScrollArea::resizeEvent(Event);
    UpdateScrollBar();
    if (OwnerDrawn && Rendered.size() != viewport()->size() && OnResized) OnResized();
}

TQtTabControl::TQtTabControl(QWidget* Parent) : QWidget(Parent), bar_(new QTabBar(this)) {
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->setDrawBase(true);
    bar_->setExpanding(false);
}

void TQtTabControl::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
    bar_->raise();
}

// ---------------------------------------------------------------------------
// Making the widgets

QWidget* MakeControlWidget(TQtWidgetKind Kind, TControl& Control, QWidget* Parent) {
    QWidget* w = nullptr;
    switch (Kind) {
    case TQtWidgetKind::wkLabel: {
        auto* l = new QLabel(Parent);
        l->setMargin(0);
        l->setIndent(0);
        w = l;
        break;
    }
    case TQtWidgetKind::wkPanel: w = new TQtPanel(Parent); break;
    case TQtWidgetKind::wkGroupBox: w = new QGroupBox(Parent); break;
    case TQtWidgetKind::wkButton: {
        auto* b = new QPushButton(Parent);
        b->setAutoDefault(false);
        w = b;
        break;
    }
    case TQtWidgetKind::wkCheckBox: w = new QCheckBox(Parent); break;
    case TQtWidgetKind::wkRadioButton: {
        auto* r = new QRadioButton(Parent);
        // The model unchecks the others of the group itself.
        r->setAutoExclusive(false);
        w = r;
        break;
    }
    case TQtWidgetKind::wkEdit: {
        auto* e = new QLineEdit(Parent);
        // Nothing changes the text but the model: no drag and drop, no undo.
        e->setDragEnabled(false);
        e->setAcceptDrops(false);
        w = e;
        break;
    }
    case TQtWidgetKind::wkMemo: {
        auto* m = new QPlainTextEdit(Parent);
        m->setAcceptDrops(false);
        m->setUndoRedoEnabled(false);
        m->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
        w = m;
        break;
    }
    case TQtWidgetKind::wkComboBox: w = new TQtComboBox(Parent); break;
    case TQtWidgetKind::wkListBox: w = new TQtListBox(Parent); break;
    case TQtWidgetKind::wkTabControl: w = new TQtTabControl(Parent); break;
    case TQtWidgetKind::wkSpeedButton: {
        auto* b = new QToolButton(Parent);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        w = b;
        break;
    }
    case TQtWidgetKind::wkGrid: w = new TQtGrid(Parent); break;
    case TQtWidgetKind::wkForm:
    case TQtWidgetKind::wkContainer: w = new QWidget(Parent); break;
    }
    // The model decides where the focus goes and what a key does.
    w->setFocusPolicy(Qt::NoFocus);
    w->setAttribute(Qt::WA_InputMethodEnabled, false);
    w->setContextMenuPolicy(Qt::NoContextMenu);
    for (QWidget* child : w->findChildren<QWidget*>()) {
        child->setFocusPolicy(Qt::NoFocus);
        child->setContextMenuPolicy(Qt::NoContextMenu);
        child->setAcceptDrops(false);
    }
    SyncWholeWidget(Kind, Control, *w);
    return w;
}

// ---------------------------------------------------------------------------
// Showing the model

namespace {

QPalette::ColorRole BackgroundRole(TQtWidgetKind Kind) {
    switch (Kind) {
    case TQtWidgetKind::wkEdit:
    case TQtWidgetKind::wkMemo:
    case TQtWidgetKind::wkComboBox:
    case TQtWidgetKind::wkListBox:
    case TQtWidgetKind::wkGrid: return QPalette::Base;
    case TQtWidgetKind::wkButton:
    case TQtWidgetKind::wkSpeedButton: return QPalette::Button;
    default: return QPalette::Window;
    }
}

Qt::Alignment HorizontalAlignment(TAlignment A) {
    switch (A) {
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

void SyncCursor(TControl& C, QWidget& W) {
    if (C.Cursor() == crDefault)
        W.unsetCursor();
    else
        W.setCursor(QtCursorShape(C.Cursor()));
}

void SyncLabel(TLabel& L, QLabel& W) {
    if (L.ShowAccelChar) {
        W.setTextFormat(Qt::RichText);
        W.setText(QtAccelText(L.Caption()));
    } else {
        W.setTextFormat(Qt::PlainText);
        W.setText(QtMemoText(L.Caption()));
    }
    Qt::Alignment v = Qt::AlignTop;
    if (L.Layout == TTextLayout::tlCenter) v = Qt::AlignVCenter;
    if (L.Layout == TTextLayout::tlBottom) v = Qt::AlignBottom;
    W.setAlignment(HorizontalAlignment(L.Alignment()) | v);
    W.setWordWrap(L.WordWrap());
}

void SyncPanel(TPanel& P, TQtPanel& W) {
    W.Caption = QtText(P.Caption());
    W.CaptionAlignment = HorizontalAlignment(P.Alignment());
    QFrame::Shape shape = QFrame::NoFrame;
    QFrame::Shadow shadow = QFrame::Plain;
    if (P.BorderStyle() == TBorderStyle::bsSingle) shape = QFrame::Box;
    if (P.BevelOuter() == TBevelCut::bvLowered || P.BevelOuter() == TBevelCut::bvRaised) {
        shape = QFrame::Panel;
        shadow = P.BevelOuter() == TBevelCut::bvLowered ? QFrame::Sunken : QFrame::Raised;
    }
    W.setFrameShape(shape);
    W.setFrameShadow(shadow);
    W.setLineWidth(P.BevelWidth());
    W.update();
}

// An edit shows its selection only while it holds its form's focus, as the
// platform's edits do; the others show their text from the start.
void ShowSelection(const TWinControl& C, QLineEdit& W, const std::string& Text, int SelStart, int SelLength) {
    const TCustomForm* form = GetParentForm(&C);
    if (!form || form->FocusedControl() != &C) {
        W.setCursorPosition(0);
        return;
    }
    const int start = QtOffset(Text, SelStart);
    const int end = QtOffset(Text, SelStart + SelLength);
    if (end > start)
        W.setSelection(start, end - start);
    else
        W.setCursorPosition(start);
}

void SyncEdit(TCustomEdit& E, QLineEdit& W) {
    const std::string shown = E.DisplayText();
    const QString text = QtText(shown);
    if (W.text() != text) W.setText(text);
    W.setReadOnly(E.ReadOnly());
    ShowSelection(E, W, shown, E.SelStart(), E.SelLength());
}

// The first visual line of a memo's line in Qt's layout (lines wrap there).
int VisualLine(QPlainTextEdit& W, int Line) {
    const QTextBlock b = W.document()->findBlockByNumber(Line);
    return b.isValid() ? b.firstLineNumber() : 0;
}

void SyncMemo(TMemo& M, QPlainTextEdit& W, TControlChange Change) {
    if (Change == TControlChange::ccText) {
        const QString text = QtMemoText(M.Text());
        if (W.toPlainText() != text) W.setPlainText(text);
    }
    if (Change == TControlChange::ccStyle) {
        const TScrollStyle s = M.ScrollBars();
        const bool vert = s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth;
        const bool horz = s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth;
        W.setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        W.setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        W.setLineWrapMode(M.WordWrap && !horz ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        QTextOption option = W.document()->defaultTextOption();
        if (option.alignment() != HorizontalAlignment(M.Alignment())) {
            option.setAlignment(HorizontalAlignment(M.Alignment()));
            W.document()->setDefaultTextOption(option);
        }
    }
    W.setReadOnly(M.ReadOnly());
    // The caret and the selection, then the first line the model shows.
    const std::string& text = M.Text();
    QTextCursor cursor(W.document());
    cursor.setPosition(std::min<int>(QtMemoText(text.substr(0, static_cast<std::size_t>(M.SelStart()))).size(),
                                     W.document()->characterCount() - 1));
    if (M.SelLength() > 0)
        cursor.setPosition(
            std::min<int>(QtMemoText(text.substr(0, static_cast<std::size_t>(M.SelStart() + M.SelLength()))).size(),
                          W.document()->characterCount() - 1),
            QTextCursor::KeepAnchor);
    W.setTextCursor(cursor);
    W.verticalScrollBar()->setValue(VisualLine(W, M.FirstVisibleLine()));
}

void SyncCombo(TComboBox& C, TQtComboBox& W, TControlChange Change) {
    const QSignalBlocker block(&W);
    const bool editable = C.Style() == TComboBoxStyle::csDropDown || C.Style() == TComboBoxStyle::csSimple;
    if (W.isEditable() != editable) {
        W.setEditable(editable);
        if (QLineEdit* e = W.lineEdit()) {
            // The model takes what is typed and picked. Left to itself the
            // combo box would take its edit losing the focus (as it does
            // when the list opens) for a pick of the item the text names.
            QObject::disconnect(e, &QLineEdit::editingFinished, nullptr, nullptr);
            QObject::disconnect(e, &QLineEdit::returnPressed, nullptr, nullptr);
            e->setFocusPolicy(Qt::NoFocus);
            e->setContextMenuPolicy(Qt::NoContextMenu);
            e->setDragEnabled(false);
            e->setAcceptDrops(false);
        }
    }
    if (Change == TControlChange::ccItems || W.count() != C.Items().Count()) {
        QStringList items;
        for (int i = 0; i < C.Items().Count(); ++i) items << QtText(C.Items().Get(i));
        W.clear();
        W.addItems(items);
    }
    W.setMaxVisibleItems(std::max(1, C.DropDownCount));
    W.setCurrentIndex(C.ItemIndex());
    if (editable && W.lineEdit()) {
        const QString text = QtText(C.Text());
        if (W.lineEdit()->text() != text) W.lineEdit()->setText(text);
        ShowSelection(C, *W.lineEdit(), C.Text(), C.SelStart(), C.SelLength());
    }
}

void SyncList(TListBox& L, TQtListBox& W) {
    W.Items.clear();
    for (int i = 0; i < L.Items().Count(); ++i) W.Items << QtText(L.Items().Get(i));
    W.Selected = L.ItemIndex();
    W.Top = L.TopIndex();
    W.ItemHeight = std::max(1, L.ItemHeight());
    W.OwnerDrawn = L.Style() != TListBoxStyle::lbStandard || static_cast<bool>(L.OnDrawItem);
    W.UpdateScrollBar();
    W.viewport()->update();
}

void SyncTabs(TTabControl& T, TQtTabControl& W, TControlChange Change) {
    QTabBar* bar = W.Bar();
    const QSignalBlocker block(bar);
    if (Change == TControlChange::ccItems || bar->count() != T.Tabs().Count()) {
        while (bar->count() > 0) bar->removeTab(bar->count() - 1);
        for (int i = 0; i < T.Tabs().Count(); ++i) bar->addTab(QtText(T.Tabs().Get(i)));
    }
    if (T.TabIndex() >= 0) bar->setCurrentIndex(T.TabIndex());
    bar->setGeometry(0, 0, W.width(), bar->sizeHint().height());
}

// Every kind's own properties for a change (text, checks, items and so on).
void SyncOwn(TQtWidgetKind Kind, TControl& C, QWidget& W, TControlChange Change) {
    switch (Kind) {
    case TQtWidgetKind::wkLabel: SyncLabel(static_cast<TLabel&>(C), static_cast<QLabel&>(W)); break;
    case TQtWidgetKind::wkPanel: SyncPanel(static_cast<TPanel&>(C), static_cast<TQtPanel&>(W)); break;
    case TQtWidgetKind::wkGroupBox: static_cast<QGroupBox&>(W).setTitle(QtText(C.Caption())); break;
    case TQtWidgetKind::wkButton: {
        auto& b = static_cast<QPushButton&>(W);
        b.setText(QtText(C.Caption()));
        b.setDefault(static_cast<TButton&>(C).Default);
        break;
    }
    case TQtWidgetKind::wkCheckBox: {
        auto& c = static_cast<TCheckBox&>(C);
        auto& b = static_cast<QCheckBox&>(W);
        b.setText(QtText(c.Caption()));
        b.setTristate(c.AllowGrayed || c.State() == TCheckBoxState::cbGrayed);
        b.setCheckState(c.State() == TCheckBoxState::cbChecked  ? Qt::Checked
                        : c.State() == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                                : Qt::Unchecked);
        b.setLayoutDirection(c.Alignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
        break;
    }
    case TQtWidgetKind::wkRadioButton: {
        auto& r = static_cast<TRadioButton&>(C);
        auto& b = static_cast<QRadioButton&>(W);
        b.setText(QtText(r.Caption()));
        b.setChecked(r.Checked());
        b.setLayoutDirection(r.Alignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
        break;
    }
    case TQtWidgetKind::wkEdit: SyncEdit(static_cast<TCustomEdit&>(C), static_cast<QLineEdit&>(W)); break;
    case TQtWidgetKind::wkMemo: SyncMemo(static_cast<TMemo&>(C), static_cast<QPlainTextEdit&>(W), Change); break;
    case TQtWidgetKind::wkComboBox: SyncCombo(static_cast<TComboBox&>(C), static_cast<TQtComboBox&>(W), Change); break;
    case TQtWidgetKind::wkListBox: SyncList(static_cast<TListBox&>(C), static_cast<TQtListBox&>(W)); break;
    case TQtWidgetKind::wkTabControl:
        SyncTabs(static_cast<TTabControl&>(C), static_cast<TQtTabControl&>(W), Change);
        break;
    case TQtWidgetKind::wkSpeedButton: {
        auto& s = static_cast<TSpeedButton&>(C);
        auto& b = static_cast<QToolButton&>(W);
        b.setText(QtText(s.Caption()));
        b.setIcon(QtGlyph(s.Glyph));
        b.setToolButtonStyle(s.Caption().empty() && !s.Glyph.empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
        b.setCheckable(s.GroupIndex != 0);
        b.setChecked(s.Down());
        b.setAutoRaise(s.Flat());
        break;
    }
    // A grid's cells are read in the model's loop (qt_windows.cpp).
    case TQtWidgetKind::wkGrid:
    case TQtWidgetKind::wkForm:
    case TQtWidgetKind::wkContainer: break;
    }
}

} // namespace

void SyncLook(TQtWidgetKind Kind, TControl& C, QWidget& W) {
    W.setFont(QtScreenFont(C.Font()));
    // The control's colours for the active and inactive window; a disabled
    // control keeps the desktop's disabled colours, greyed as a person
    // expects a field that takes no input.
    QPalette pal = QApplication::palette();
    const QColor text = QtWidgetColor(C.Font().Color());
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, text);
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::ButtonText, text);
        pal.setColor(group, BackgroundRole(Kind), QtWidgetColor(C.Color()));
    }
    // Panels, forms and labels keep their own background when disabled:
    // only what holds text to type or pick turns grey.
    if (BackgroundRole(Kind) == QPalette::Window)
        pal.setColor(QPalette::Disabled, QPalette::Window, QtWidgetColor(C.Color()));
    W.setPalette(pal);
    bool fill = Kind == TQtWidgetKind::wkPanel || Kind == TQtWidgetKind::wkForm;
    if (Kind == TQtWidgetKind::wkLabel) {
        const auto& l = static_cast<TLabel&>(C);
        fill = !l.Transparent && !l.ParentColor();
    }
    if (Kind == TQtWidgetKind::wkContainer) fill = !C.ParentColor();
    W.setAutoFillBackground(fill);
}

void SyncWidget(TQtWidgetKind Kind, TControl& C, QWidget& W, TControlChange Change) {
    switch (Change) {
    case TControlChange::ccBounds:
        W.setGeometry(C.Left(), C.Top(), C.Width(), C.Height());
        if (Kind == TQtWidgetKind::wkTabControl) SyncOwn(Kind, C, W, Change);
        return;
    case TControlChange::ccVisible: W.setVisible(C.Visible()); return;
    case TControlChange::ccEnabled: W.setEnabled(C.Enabled()); return;
    case TControlChange::ccHint: W.setToolTip(QtText(GetShortHint(C.Hint()))); return;
    case TControlChange::ccFont:
    case TControlChange::ccColor:
        SyncLook(Kind, C, W);
        // Item heights follow the font.
        if (Kind == TQtWidgetKind::wkListBox) SyncOwn(Kind, C, W, Change);
        return;
    case TControlChange::ccCursor: SyncCursor(C, W); return;
    case TControlChange::ccRepaint: W.update(); return;
    case TControlChange::ccFocus:
        W.setFocus(Qt::OtherFocusReason);
        // The selection shows with the focus.
        if (Kind == TQtWidgetKind::wkEdit || Kind == TQtWidgetKind::wkComboBox)
            SyncOwn(Kind, C, W, TControlChange::ccText);
        return;
    case TControlChange::ccParent: return;
    default: SyncOwn(Kind, C, W, Change); return;
    }
}

void SyncWholeWidget(TQtWidgetKind Kind, TControl& C, QWidget& W) {
    W.setGeometry(C.Left(), C.Top(), C.Width(), C.Height());
    W.setEnabled(C.Enabled());
    W.setToolTip(QtText(GetShortHint(C.Hint())));
    SyncLook(Kind, C, W);
    SyncCursor(C, W);
    SyncOwn(Kind, C, W, TControlChange::ccStyle);
    SyncOwn(Kind, C, W, TControlChange::ccItems);
    SyncOwn(Kind, C, W, TControlChange::ccText);
    W.setVisible(C.Visible());
}

} // namespace trx
