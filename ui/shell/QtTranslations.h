#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (the file dialog, a text field's context menu, the calendar) in Chinese, like
// the application's own texts, whatever the desktop's language: a window that mixes English menus
// into Chinese screens reads as broken.
namespace QtTranslations {

// Makes zh_CN the default locale and installs Qt's zh_CN `qtbase` catalogue into `app`; the
// translator is a child of `app`. Returns the catalogue's language ("zh_CN"), empty when it could
// not be loaded.
QString install(QCoreApplication &app);

} // namespace QtTranslations
