#include "framework/qt/fixed_pitch_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QStringList>

#include <map>

namespace trx {

namespace {

// The line-drawing characters of the IBM grid.
constexpr char16_t kLineDrawing[] = {0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518,
                                     0x251C, 0x2524, 0x252C, 0x2534, 0x253C};

constexpr const char* kWellKnown[] = {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono",
                                      "Nimbus Mono PS",   "FreeMono",        "Courier New"};

QString MonospaceFamily() {
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::Monospace);
    return QFontInfo(font).family();
}

QString Find(const std::string& Requested) {
    const QString requested = QString::fromLocal8Bit(Requested.data(), static_cast<qsizetype>(Requested.size()));
    if (!requested.trimmed().isEmpty() && IsUsableFixedPitchFamily(requested)) return requested;
    const QString monospace = MonospaceFamily();
    QStringList candidates{monospace};
    for (const char* name : kWellKnown) candidates << QString::fromLatin1(name);
    candidates << QFontDatabase::families();
    for (const QString& family : candidates)
        if (IsUsableFixedPitchFamily(family)) return family;
    return monospace;
}

} // namespace

bool IsUsableFixedPitchFamily(const QString& Family) {
    if (!QFontDatabase::hasFamily(Family) || !QFontDatabase::isFixedPitch(Family)) return false;
    QFont font(Family);
    font.setPixelSize(32);
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid()) return false;
    for (char16_t c : kLineDrawing)
        if (!raw.supportsCharacter(QChar(c))) return false;
    return true;
}

QString FixedPitchFamily(const std::string& Requested) {
    static std::map<std::string, QString> found;
    auto it = found.find(Requested);
    if (it == found.end()) it = found.emplace(Requested, Find(Requested)).first;
    return it->second;
}

} // namespace trx
