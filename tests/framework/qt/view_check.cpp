#include "view_check.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <set>

#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/qt/qt_control_widgets.h"
#include "framework/qt/qt_windows.h"
#include "qt_user.h"

namespace trx::test {

namespace {

int offCount = 0;

std::string Name(const TControl& C) {
    const TCustomForm* form = GetParentForm(&C);
    const std::string own = C.Name().empty() ? std::string("(unnamed)") : C.Name();
    if (form == &C || !form) return own;
    return form->Name() + "." + own;
}

// Enabled and visible as a person meets the control: it and every parent.
// A form disabled by another's modal run looks as it did: modality keeps
// the user out of it.
bool EnabledInModel(const TControl& C) {
    for (const TControl* c = &C; c && !dynamic_cast<const TCustomForm*>(c); c = c->Parent())
        if (!c->Enabled()) return false;
    return true;
}
bool VisibleInModel(const TControl& C) {
    for (const TControl* c = &C; c; c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}

// A caption as it shows: without the '&' of its accelerator.
QString Shown(const QString& Caption) {
    QString out;
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == QLatin1Char('&') && i + 1 < Caption.size()) ++i;
        out += Caption[i];
    }
    return out;
}

QString PlainLabelText(const QLabel& L) {
    if (L.textFormat() != Qt::RichText) return L.text();
    QTextDocument doc;
    doc.setHtml(L.text());
    return doc.toPlainText();
}

std::string Quote(const QString& Text) { return "\"" + Text.toStdString() + "\""; }

// The width the text needs beyond Room, or 0 when it fits.
int Overflow(const QFontMetrics& M, const QString& Text, int Room) {
    int widest = 0;
    for (const QString& line : Text.split(QLatin1Char('\n'))) widest = std::max(widest, M.horizontalAdvance(line));
    return std::max(0, widest - Room);
}

void TextFits(const TControl& C, QWidget& W, std::vector<std::string>& Faults) {
    const QFontMetrics m(W.font());
    auto fault = [&](const QString& Text, const std::string& What) {
        Faults.push_back(Name(C) + ": " + Quote(Text) + " " + What);
    };
    if (auto* label = qobject_cast<QLabel*>(&W)) {
        if (!label->pixmap().isNull()) return;
        const QString text = PlainLabelText(*label);
        if (text.trimmed().isEmpty()) return;
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            const QRect need = m.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text);
            if (need.width() > room.width() || need.height() > room.height())
                fault(text, "needs " + std::to_string(need.width()) + "x" + std::to_string(need.height()) +
                                " and has " + std::to_string(room.width()) + "x" + std::to_string(room.height()));
        } else {
            const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
            if (const int over = Overflow(m, text, room.width()))
                fault(text, "is cut: " + std::to_string(over) + " pixels too wide");
            else if (m.height() + (lines - 1) * m.lineSpacing() > room.height() + 1)
                fault(text, "is cut: too tall for its " + std::to_string(room.height()) + " pixels");
        }
        return;
    }
    if (auto* check = qobject_cast<QCheckBox*>(&W); check || qobject_cast<QRadioButton*>(&W)) {
        auto* b = static_cast<QAbstractButton*>(&W);
        if (b->text().isEmpty()) return;
        const int need = b->sizeHint().width();
        if (need > W.width())
            fault(Shown(b->text()),
                  "is cut: needs " + std::to_string(need) + " pixels, has " + std::to_string(W.width()));
        return;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(&W)) {
        const QString text = Shown(b->text());
        if (text.isEmpty()) return;
        const int margin = W.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &W);
        if (const int over = Overflow(m, text, W.width() - 2 * margin))
            fault(text, "is cut: " + std::to_string(over) + " pixels too wide");
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(&W)) {
        // A longer text (a file name) scrolls in its edit as a person
        // expects; a number must show whole.
        static const QRegularExpression number(QStringLiteral("^[-+]?[0-9][0-9.,]*%?$"));
        if (!number.match(edit->text().trimmed()).hasMatch() || edit->echoMode() != QLineEdit::Normal) return;
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.rect = edit->contentsRect();
        option.lineWidth = edit->hasFrame() ? W.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        const QRect room = W.style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        // The edit keeps a margin of its own inside that.
        if (const int over = Overflow(m, edit->text(), room.width() - 4))
            fault(edit->text(), "is cut: " + std::to_string(over) + " pixels too wide for its edit");
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(&W)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect room = W.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        QStringList texts{combo->currentText()};
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        for (const QString& text : texts)
            if (const int over = Overflow(m, text, room.width() - 4)) {
                fault(text, "runs under the arrow: " + std::to_string(over) + " pixels too wide");
                return;
            }
        return;
    }
    if (auto* group = qobject_cast<QGroupBox*>(&W)) {
        if (const int over = Overflow(m, Shown(group->title()), W.width() - 16))
            fault(group->title(), "is cut: " + std::to_string(over) + " pixels too wide");
        return;
    }
    if (auto* panel = dynamic_cast<TQtPanel*>(&W)) {
        const QString text = panel->Caption.trimmed();
        if (text.isEmpty()) return;
        // A bar over its track shows its caption where the track does.
        QWidget* room = panel;
        if (auto* parent = dynamic_cast<TQtPanel*>(panel->parentWidget()); parent && parent->Caption == panel->Caption)
            room = parent;
        if (const int over = Overflow(m, panel->Caption, room->contentsRect().width() - 4))
            fault(text, "is cut: " + std::to_string(over) + " pixels too wide for its panel");
        return;
    }
    if (auto* tabs = dynamic_cast<TQtTabControl*>(&W)) {
        QTabBar* bar = tabs->Bar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabRect(i).right() > bar->width()) fault(bar->tabText(i), "is a tab beyond the end of its strip");
        return;
    }
}

// The colour a control's text is drawn in, by the role its kind uses.
QPalette::ColorRole TextRole(const QWidget& W) {
    if (qobject_cast<const QLineEdit*>(&W) || qobject_cast<const QComboBox*>(&W)) return QPalette::Text;
    if (qobject_cast<const QPushButton*>(&W) || qobject_cast<const QToolButton*>(&W)) return QPalette::ButtonText;
    return QPalette::WindowText;
}

bool HoldsText(const QWidget& W) {
    if (auto* l = qobject_cast<const QLabel*>(&W)) return !l->text().trimmed().isEmpty();
    if (auto* b = qobject_cast<const QAbstractButton*>(&W)) return !b->text().isEmpty();
    if (auto* e = qobject_cast<const QLineEdit*>(&W)) return !e->text().isEmpty();
    if (auto* c = qobject_cast<const QComboBox*>(&W)) return !c->currentText().isEmpty();
    return false;
}

// Pixels of the widget's picture in (nearly) the colour its text takes
// when enabled: a greyed text has none.
int PixelsInEnabledTextColour(QWidget& W) {
    const QColor text = W.palette().color(QPalette::Active, TextRole(W));
    const QImage image = W.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - text.red()) + std::abs(c.green() - text.green()) + std::abs(c.blue() - text.blue()) <
                48)
                ++count;
        }
    return count;
}

void EnabledAsInModel(const TControl& C, QWidget& W, std::vector<std::string>& Faults) {
    const bool enabled = EnabledInModel(C);
    if (enabled != W.isEnabled()) {
        Faults.push_back(Name(C) + (enabled ? ": enabled in the model, disabled on the screen"
                                            : ": disabled in the model, enabled on the screen"));
        return;
    }
    if (enabled || !HoldsText(W)) return;
    const QPalette& p = W.palette();
    if (p.color(QPalette::Disabled, TextRole(W)) == p.color(QPalette::Active, TextRole(W)))
        Faults.push_back(Name(C) + ": disabled, yet its text takes the enabled colour");
    else if (const int n = PixelsInEnabledTextColour(W); n > 2)
        Faults.push_back(Name(C) + ": disabled, yet drawn with " + std::to_string(n) +
                         " pixels in the enabled text colour");
}

void LookAt(const TControl& C, std::vector<std::string>& Faults) {
    QWidget* w = QtWidget(&C);
    const bool visible = VisibleInModel(C);
    if (w && w->isVisible() != visible)
        Faults.push_back(Name(C) + (visible ? ": shown in the model, absent on the screen"
                                            : ": hidden in the model, yet on the screen"));
    if (w && w->isVisible()) {
        TextFits(C, *w, Faults);
        EnabledAsInModel(C, *w, Faults);
    }
    if (auto* wc = dynamic_cast<const TWinControl*>(&C))
        for (int i = 0; i < wc->ControlCount(); ++i) LookAt(*wc->Controls(i), Faults);
}

void FramedAsDialog(const TCustomForm& Form, QWidget& Window, std::vector<std::string>& Faults) {
    if (Form.BorderStyle() != TFormBorderStyle::bsDialog) return;
    const Qt::WindowFlags flags = Window.windowFlags();
    if ((flags & Qt::WindowType_Mask) != Qt::Dialog)
        Faults.push_back(Form.Name() + ": a dialog in a window of another type");
    if (flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
        Faults.push_back(Form.Name() + ": a dialog with a minimize or maximize button");
    if (Window.minimumSize() != Window.maximumSize()) Faults.push_back(Form.Name() + ": a dialog that can be resized");
}

// A separator of a menu is a line: a text on it shows beside the line.
void MenuLinesBare(QWidget& Window, std::vector<std::string>& Faults, const std::string& Form) {
    std::vector<QAction*> actions;
    if (auto* bar = Window.findChild<QMenuBar*>())
        for (QAction* a : bar->actions()) actions.push_back(a);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        QAction* a = actions[i];
        if (a->isSeparator() && !a->text().isEmpty())
            Faults.push_back(Form + ": a menu separator shows the text " + Quote(a->text()));
        if (QMenu* menu = a->menu())
            for (QAction* sub : menu->actions()) actions.push_back(sub);
    }
}

// Every control of a form, depth first.
void Collect(TControl& C, std::vector<TControl*>& All) {
    All.push_back(&C);
    if (auto* wc = dynamic_cast<TWinControl*>(&C))
        for (int i = 0; i < wc->ControlCount(); ++i) Collect(*wc->Controls(i), All);
}

std::string CurrentTest() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string();
}

} // namespace

std::vector<std::string> ViewFaults(const TCustomForm& Form) {
    std::vector<std::string> faults;
    QWidget* window = QtWidget(&Form);
    if (!window || !window->isVisible() || window->width() <= 0) return faults;
    FramedAsDialog(Form, *window, faults);
    MenuLinesBare(*window, faults, Form.Name());
    for (int i = 0; i < Form.ControlCount(); ++i) LookAt(*Form.Controls(i), faults);
    return faults;
}

void CheckShownWindows() {
    if (offCount > 0 || !QtWindowsInstalled()) return;
    static std::string test;
    static std::set<std::string> reported;
    if (CurrentTest() != test) {
        test = CurrentTest();
        reported.clear();
    }
    for (int i = 0; i < Screen()->FormCount(); ++i)
        for (const std::string& fault : ViewFaults(*Screen()->Forms(i)))
            if (reported.insert(fault).second) ADD_FAILURE() << "seen on the screen: " << fault;
}

std::vector<std::string> ProbeDisabledClicks(TCustomForm& Form) {
    std::vector<std::string> faults;
    std::vector<TControl*> all;
    Collect(Form, all);
    for (TControl* c : all) {
        QWidget* w = QtWidget(c);
        if (c == &Form || !w || !w->isVisible() || EnabledInModel(*c)) continue;
        TWinControl* before = Form.FocusedControl();
        QWidget* focusBefore = QApplication::focusWidget();
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        ProcessUntil([] { return true; }, 0);
        if (Form.FocusedControl() != before || QApplication::focusWidget() != focusBefore)
            faults.push_back(Name(*c) + ": a click on it while disabled moved the focus");
    }
    return faults;
}

std::vector<std::string> ProbeDropDowns(TCustomForm& Form) {
    std::vector<std::string> faults;
    std::vector<TControl*> all;
    Collect(Form, all);
    for (TControl* c : all) {
        auto* model = dynamic_cast<TComboBox*>(c);
        auto* combo = qobject_cast<QComboBox*>(QtWidget(c));
        if (!model || !combo || !combo->isVisible() || !EnabledInModel(*c) ||
            model->Style() == TComboBoxStyle::csSimple)
            continue;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect arrow =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
        QTest::mousePress(combo, Qt::LeftButton, {}, arrow.center());
        QTest::mouseRelease(combo, Qt::LeftButton, {}, arrow.center());
        if (!ProcessUntil([combo] { return combo->view()->isVisible(); }, 3000)) {
            faults.push_back(Name(*c) + ": a press on its arrow does not open its list");
            continue;
        }
        const int rows = std::min(combo->count(), std::max(1, model->DropDownCount));
        QAbstractItemView* view = combo->view();
        if (rows > 0 && view->height() < rows * view->sizeHintForRow(0) - 2)
            faults.push_back(Name(*c) + ": its list shows fewer than " + std::to_string(rows) + " items");
        QTest::keyClick(view, Qt::Key_Escape);
        if (!ProcessUntil([combo, model] { return !combo->view()->isVisible() && !model->DroppedDown(); }, 3000))
            faults.push_back(Name(*c) + ": Escape does not close its list");
    }
    return faults;
}

ViewCheckOff::ViewCheckOff() { ++offCount; }
ViewCheckOff::~ViewCheckOff() { --offCount; }

} // namespace trx::test
