// Qt's own texts in the window's language: the labels of the standard dialogs (the file
// dialog's "Look in:"), the standard buttons, the print preview's tools. When the language
// switches, Qt's catalogue for it (qtbase_<code>.qm from Qt's translations folder; on Debian
// the package qt6-translations-l10n) is installed; for English, and for a language Qt has no
// catalogue for, none is, and Qt speaks its built-in English.
#pragma once

#include <memory>

class QTranslator;

namespace glyphora {

class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Installs the catalogue of a language index (as the options menu numbers them), after
    // removing the one in use; true when one is installed now.
    bool follow(int language);

private:
    std::unique_ptr<QTranslator> translator_; // the catalogue installed, if any
};

} // namespace glyphora
