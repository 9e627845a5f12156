// The real screen of an X display, as a person meets it: what it shows,
// read back by OCR (tesseract), and input through the X server (xdotool),
// which reaches the windows as a person's mouse and keyboard do.
#pragma once

#include <QPoint>
#include <QRect>

#include <string>

class QWidget;

namespace trx::test {

// The text the screen shows in a rectangle (global coordinates: window
// frames and whatever stands in front included), as OCR reads it; the picture
// is kept as <name>.png in $TRX_SCREEN_SHOTS when that is set.
std::string ReadScreen(const QRect& Global, const std::string& Name);
// The screen where a window stands, its frame included.
QRect OnScreen(const QWidget* Window);

// Whether OCR's Text holds Phrase: letters and digits compared without
// regard to case, blanks and punctuation, with at most one misread
// character in eight.
bool Reads(const std::string& Text, const std::string& Phrase);
// Every word of Phrase, in order and exactly, among the words OCR read: for
// texts whose last letters are what a cut takes away.
bool ReadsWhole(const std::string& Text, const std::string& Phrase);

// A click of the left button at a point of a widget (its centre when none
// is given), and keys (xdotool's names: "ctrl+q", "Tab") and text typed,
// through the X server to whatever window has its focus there.
void RealClick(const QWidget* Widget, QPoint At = QPoint(-1, -1));
void RealKeys(const std::string& Keys);
void RealType(const std::string& Text);

// A property of a top-level window as the window manager reads it
// (xprop's text of it).
std::string WindowProperty(const QWidget* Window, const std::string& Property);

} // namespace trx::test
