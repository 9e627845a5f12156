// DrawTextA: formatted text in a rectangle, measured or drawn on a canvas,
// with the platform's flags and line-breaking rules.
#pragma once

#include <string>

#include "framework/core/types.h"
#include "framework/printing/graphics.h"

namespace trx {

constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4; // single line only
constexpr unsigned DT_BOTTOM = 0x8; // single line only
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80; // bits 8 to 15 give the characters per tab stop
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_INTERNAL = 0x1000;
constexpr unsigned DT_EDITCONTROL = 0x2000; // with DT_WORDBREAK, words wider than the rectangle are broken

// Draws Text formatted in Rect and returns its height (for DT_VCENTER and
// DT_BOTTOM, the offset from Rect.Top to the bottom of the text); 0 for
// empty text.
//  - Lines end at CR LF, CR or LF unless DT_SINGLELINE; a break at the very
//    end adds no empty line.
//  - DT_WORDBREAK breaks lines between words (at blanks, which are dropped at
//    the break); a word wider than the rectangle stays whole and overhangs.
//  - Without DT_NOPREFIX, '&' marks the next character as the mnemonic (it is
//    underlined) and "&&" stands for one '&'.
//  - DT_EXPANDTABS expands tabs to stops every 8 average character widths
//    (or the DT_TABSTOP count); otherwise a tab is an ordinary character.
//  - DT_CALCRECT draws nothing: Rect.Right becomes Left + the widest line and
//    Rect.Bottom Top + the height of all lines.
//  - The text is clipped to Rect unless DT_NOCLIP; its background is painted
//    with the brush colour unless the canvas brush is clear.
int DrawTextA(TCanvas& Canvas, const std::string& Text, TRect& Rect, unsigned Format);
// The first Count characters of Text; Count -1 means up to the first NUL.
int DrawTextA(TCanvas& Canvas, const char* Text, int Count, TRect& Rect, unsigned Format);

} // namespace trx
