// The toolbar's icons: the desktop's icon theme where it has the icon, otherwise our own
// glyphs, drawn as vector shapes at whatever size and pixel ratio the button asks for, so
// they stay crisp at any scale and never stand in for another command's glyph.
#pragma once

#include <QIcon>

namespace glyphora {

enum class ToolbarGlyph { Open, Save, Copy, Print, Refresh, Options, Help, About, Find };

// The theme's icon for the glyph's command, or our own drawing of it.
QIcon ToolbarIcon(ToolbarGlyph glyph);

// Our own drawing alone (what ToolbarIcon falls back to).
QIcon OwnToolbarIcon(ToolbarGlyph glyph);

} // namespace glyphora
