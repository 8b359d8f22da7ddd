#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// Qt's own texts (the file dialog's buttons, a text field's context menu) in the desktop's
// language. The application's own texts are Chinese, so where Qt has no catalogue for the
// desktop's language (C, English) its texts are Chinese too rather than English.
namespace QtTranslations {

// Installs the `qtbase` catalogue from Qt's translations folder into `app`, for the first of
// `locale`'s UI languages that has one, else for zh_CN. The translator is a child of `app`.
// Returns the catalogue's language (for example "zh_CN"), empty when none could be loaded.
QString install(QCoreApplication &app, const QLocale &locale = QLocale::system());

} // namespace QtTranslations
