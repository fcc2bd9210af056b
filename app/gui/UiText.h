// Interface texts of the window: the language pack's text, or the design (English) text
// when no pack, or a pack without that text, is in use.
#pragma once

#include "i18n/LanguagePack.h"

#include <QString>

#include <string>

namespace glyphora {

inline std::string UiString(int id, const char* design)
{
    std::string text = LangString(id);
    return text.empty() ? std::string(design) : text;
}

inline QString UiText(int id, const char* design)
{
    return QString::fromStdString(UiString(id, design));
}

} // namespace glyphora
