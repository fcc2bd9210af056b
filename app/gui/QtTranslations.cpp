// Installing and removing Qt's catalogue for the window's language.
#include "app/gui/QtTranslations.h"

#include "i18n/Languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace glyphora {

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations()
{
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

bool QtTranslations::follow(int language)
{
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    const std::string code = LanguageCode(language);
    if (code == "en") return false; // Qt's built-in texts are English
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + QString::fromStdString(code),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    translator_ = std::move(translator);
    return true;
}

} // namespace glyphora
