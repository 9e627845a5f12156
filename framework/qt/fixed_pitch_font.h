// The fixed-pitch font family that report text is printed in, looked up in
// the installed fonts (fontconfig's database as Qt reads it).
#pragma once

#include <QString>

#include <string>

namespace trx {

// The requested family when it is installed, has a fixed pitch and has the
// line-drawing characters. Otherwise the first installed family that has
// both: fontconfig's choice for "monospace", then well-known fixed-pitch
// families (DejaVu Sans Mono first), then any other. Only when no family
// qualifies, fontconfig's "monospace" as it is. Answers are remembered per
// requested name. Needs the Qt application object.
QString FixedPitchFamily(const std::string& Requested);

// True when Family is installed, has a fixed pitch and has the single
// box-drawing lines, corners, tees and crossing.
bool IsUsableFixedPitchFamily(const QString& Family);

} // namespace trx
