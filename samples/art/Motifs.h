// The sample icons' motifs, each drawn by code onto a canvas of any size.
#pragma once

#include "Canvas.h"

namespace glyphora::iconart {

void drawGlyphMark(Canvas& canvas); // a letter G on a rounded blue square
void drawFolder(Canvas& canvas);
void drawStar(Canvas& canvas);
void drawGear(Canvas& canvas);
void drawDocument(Canvas& canvas);
void drawMagnifier(Canvas& canvas); // a lens with a see-through glass

} // namespace glyphora::iconart
