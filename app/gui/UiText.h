// Interface texts of the window as Qt strings. UiText: the pack's text, or the built-in
// English one where the pack in use has none (what a control shows as the window is built
// and what a message says). PackText: the pack's text as it comes, also when empty (what the
// language switch applies).
#pragma once

#include "i18n/BuiltInTexts.h"
#include "i18n/LanguagePack.h"

#include <QString>

namespace glyphora {

inline QString UiText(int id)
{
    return QString::fromStdString(InterfaceText(id));
}

inline QString PackText(int id)
{
    return QString::fromStdString(LangString(id));
}

} // namespace glyphora
