#include "screen.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

#include "command.h"

namespace trx::test {

namespace {

// Letters and digits only, in lower case: what OCR and the phrase are
// compared by.
std::string Letters(const std::string& Text) {
    std::string out;
    for (unsigned char c : Text)
        if (std::isalnum(c)) out += static_cast<char>(std::tolower(c));
    return out;
}

// The words of a text, in lower case: letters, digits and per cent signs.
std::vector<std::string> Words(const std::string& Text) {
    std::vector<std::string> out(1);
    for (unsigned char c : Text) {
        if (std::isalnum(c) || c == '%')
            out.back() += static_cast<char>(std::tolower(c));
        else if (!out.back().empty())
            out.emplace_back();
    }
    if (out.back().empty()) out.pop_back();
    return out;
}

// The fewest edits that turn Phrase into some part of Text.
int SubstringDistance(const std::string& Text, const std::string& Phrase) {
    std::vector<int> prev(Phrase.size() + 1), cur(Phrase.size() + 1);
    for (std::size_t j = 0; j <= Phrase.size(); ++j) prev[j] = static_cast<int>(j);
    int best = static_cast<int>(Phrase.size());
    for (std::size_t i = 1; i <= Text.size(); ++i) {
        cur[0] = 0; // a match may start anywhere
        for (std::size_t j = 1; j <= Phrase.size(); ++j)
            cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (Text[i - 1] == Phrase[j - 1] ? 0 : 1)});
        best = std::min(best, cur[Phrase.size()]);
        std::swap(prev, cur);
    }
    return best;
}

std::string XdotoolOutput(const std::vector<std::string>& Args) {
    std::vector<std::string> args{"xdotool"};
    args.insert(args.end(), Args.begin(), Args.end());
    return CheckedCommand(args);
}

} // namespace

QRect OnScreen(const QWidget* Window) { return Window->window()->frameGeometry(); }

std::string ReadScreen(const QRect& Global, const std::string& Name) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) throw std::runtime_error("no screen to read");
    // What the X server shows there now, frames and all.
    QGuiApplication::sync();
    const QImage shot = screen->grabWindow(0, Global.x(), Global.y(), Global.width(), Global.height()).toImage();
    const QByteArray keep = qgetenv("TRX_SCREEN_SHOTS");
    if (!keep.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(keep));
        shot.save(QString::fromLocal8Bit(keep) + "/" + QString::fromStdString(Name) + ".png");
    }
    // Screen text is small for OCR: three times the size, in grey.
    const QImage big = shot.convertToFormat(QImage::Format_Grayscale8)
                           .scaled(shot.size() * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QTemporaryDir dir;
    const QString file = dir.filePath("screen.png");
    if (!big.save(file)) throw std::runtime_error("cannot keep the screen's picture for OCR");
    return CheckedCommand({"tesseract", file.toStdString(), "stdout", "--psm", "6"});
}

bool Reads(const std::string& Text, const std::string& Phrase) {
    const std::string phrase = Letters(Phrase);
    return SubstringDistance(Letters(Text), phrase) * 8 <= static_cast<int>(phrase.size());
}

bool ReadsWhole(const std::string& Text, const std::string& Phrase) {
    const std::vector<std::string> text = Words(Text), phrase = Words(Phrase);
    for (std::size_t i = 0; i + phrase.size() <= text.size(); ++i)
        if (std::equal(phrase.begin(), phrase.end(), text.begin() + static_cast<std::ptrdiff_t>(i))) return true;
    return false;
}

void RealClick(const QWidget* Widget, QPoint At) {
    if (At.x() < 0) At = Widget->rect().center();
    const QPoint p = Widget->mapToGlobal(At);
    XdotoolOutput({"mousemove", "--sync", std::to_string(p.x()), std::to_string(p.y()), "click", "1"});
}

void RealKeys(const std::string& Keys) {
    std::vector<std::string> args{"key", "--delay", "30"};
    std::size_t start = 0;
    while (start < Keys.size()) {
        const std::size_t end = std::min(Keys.find(' ', start), Keys.size());
        if (end > start) args.push_back(Keys.substr(start, end - start));
        start = end + 1;
    }
    XdotoolOutput(args);
}

void RealType(const std::string& Text) { XdotoolOutput({"type", "--delay", "30", Text}); }

std::string WindowProperty(const QWidget* Window, const std::string& Property) {
    return CheckedCommand({"xprop", "-id", std::to_string(Window->window()->winId()), Property});
}

} // namespace trx::test
