#include "ui/shell/QtTranslations.h"

#include "ui/UiLog.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtTranslations {

namespace {

bool load(QTranslator &translator, const QLocale &locale)
{
    return translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace

QString install(QCoreApplication &app, const QLocale &locale)
{
    auto *translator = new QTranslator(&app);
    if (!load(*translator, locale) &&
        !load(*translator, QLocale(QLocale::Chinese, QLocale::China))) {
        // Qt's texts stay English; the package depends on qt6-translations-l10n, so this is a
        // bare build machine.
        qCDebug(lcUi) << "no qtbase catalogue in"
                      << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        delete translator;
        return {};
    }
    app.installTranslator(translator);
    return translator->language();
}

} // namespace QtTranslations
