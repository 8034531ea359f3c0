#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

const QString translator_name = QStringLiteral("tolvanmere-translator");

void install(std::unique_ptr<QTranslator> translator)
{
    translator->setObjectName(translator_name);
    translator->setParent(QCoreApplication::instance());
    QCoreApplication::installTranslator(translator.release());
}

}  // namespace

QString installTranslations(const QLocale &locale)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return {};
    for (QTranslator *old :
         app->findChildren<QTranslator *>(translator_name, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }

    // The locale's languages in the user's order of preference: the first one we have
    // wins, and English, having no file, must stop the search rather than be skipped.
    for (const QString &name : locale.uiLanguages()) {
        const QLocale language(name);
        if (language.language() == QLocale::English || language.language() == QLocale::C)
            return {};
        auto own = std::make_unique<QTranslator>();
        if (!own->load(language, QStringLiteral("tolvanmere"), QStringLiteral("_"),
                       QStringLiteral(":/i18n")))
            continue;
        const QString installed = own->language();
        install(std::move(own));
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            install(std::move(qt));
        return installed;
    }
    return {};
}
