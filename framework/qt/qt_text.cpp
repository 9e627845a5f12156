#include "framework/qt/qt_text.h"

#include "framework/core/display_width.h"

namespace trx {

QString ToQString(std::string_view Text) {
    QString r;
    r.reserve(static_cast<qsizetype>(Text.size()));
    for (std::size_t i = 0; i < Text.size();) {
        const char32_t c = NextChar(Text, i);
        if (c < 0x20 || c == 0x7F)
            r += QLatin1Char(' ');
        else if (c < 0x10000)
            r += QChar(static_cast<char16_t>(c));
        else
            r += QString::fromUcs4(&c, 1);
    }
    return r;
}

} // namespace trx
