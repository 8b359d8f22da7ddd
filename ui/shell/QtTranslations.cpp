#include "ui/shell/QtTranslations.h"

#include "ui/UiLog.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtTranslations {

QString install(QCoreApplication &app)
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    // Month and day names of the calendar, number formats: Chinese like the rest of the window.
    QLocale::setDefault(chinese);
    auto *translator = new QTranslator(&app);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
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
