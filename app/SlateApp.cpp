#include "app/SlateApp.h"

#include "app/BoundedExit.h"
#include "app/QuitOnSignal.h"
#include "app/SingleInstance.h"
#include "app/cli/CliFinish.h"
#include "app/cli/CliIntake.h"
#include "app/cli/CliMessages.h"
#include "app/cli/CliPaths.h"
#include "app/cli/CommandLineMode.h"
#include "bridges/notifications/DesktopNotificationCenter.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "bridges/reminders/vdir/VdirLeftovers.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "data/AppSettings.h"
#include "data/DataFolder.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/MainWindow.h"
#include "ui/TrayKeeper.h"
#include "ui/shell/AppTile.h"
#include "ui/shell/QtTranslations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QUrl>
#include <cstdio>
#include <optional>

namespace {

QStringList argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// A file manager's "Open with" starts `slatebook PATH` (or a file: URL): an image to import. A
// command-line flag given without its value ("--ocr" alone) is neither a task nor an image.
std::optional<QString> imageArgument(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return std::nullopt;
    const QString argument = arguments.at(1);
    if (argument.startsWith(QLatin1Char('-')))
        return std::nullopt;
    if (argument.startsWith(QLatin1String("file:")))
        return QUrl(argument).toLocalFile();
    return argument;
}

// The window and the objects it shares, from its showing to the end of the event loop. They are
// all gone (each saved as it changed) when this returns the loop's status.
int showWindow(SingleInstance &instance, const std::optional<QString> &image)
{
    // The five shared objects of the window, each created once, in this order, for the whole run.
    AppSettings settings;
    HistoryStore history;
    RemindersService service;
    TaskStore store(DataFolder::path());
    NotificationService &notify = NotificationService::instance();
    MainWindow window({settings, history, service, store, notify});

    // Pending notifications keep Slatebook running in the tray; a later start brings it back.
    TrayKeeper tray(window, DesktopNotificationCenter::forThisUser());
    QObject::connect(&instance, &SingleInstance::activated, &window, [&](const QString &path) {
        tray.bringWindowToFront();
        if (!path.isEmpty())
            window.openImage(path);
    });

    window.show();
    if (image)
        window.openImage(*image);
    return QApplication::exec();
}

int runWindowMode(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Slatebook"));
    QtTranslations::install(app);
    // Ties the window to slatebook.desktop (its name and icon in the dock and task switcher);
    // outside an installation the brand tile stands in for the themed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("slatebook"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("slatebook"), QIcon(AppTile().grab())));
    const std::optional<QString> image = imageArgument(argumentList(argc, argv));

    // One window process per user: a later start hands its image to the running window and ends
    // here, before it creates anything that shows notifications.
    SingleInstance instance;
    if (!instance.claim(image.value_or(QString())))
        return 0;

    const QuitOnSignal quitOnSignal;
    const int status = showWindow(instance, image);
    waitForPoolOrExit(status);
    return status;
}

// Temporary files of a run that was killed mid-change, removed at every start (not only at the
// next write, which may never come): a few folder listings.
void removeLeftovers()
{
    removeStaleLeftovers(VdirReminderStore::defaultRoot(), QDateTime::currentDateTimeUtc());
}

} // namespace

int SlateApp::run(int argc, char **argv)
{
    // The project version from CMake; About and the package show the same.
    QCoreApplication::setApplicationVersion(QStringLiteral(SLATEBOOK_VERSION));
    const QStringList arguments = argumentList(argc, argv);
    // Answered before anything touches the data folder or needs a display.
    if (arguments.size() == 2 && arguments.at(1) == QLatin1String("--version")) {
        std::printf("slatebook %s\n", SLATEBOOK_VERSION);
        return 0;
    }

    DataFolder::ensureExists();
    removeLeftovers();

    if (const std::optional<CliIntake::Found> found = CliIntake::takeTask(arguments)) {
        sendMessagesToLog();
        QCoreApplication app(argc, argv);
        if (const auto *refusal = std::get_if<CliIntake::Refusal>(&*found))
            CliFinish(CliPaths::resultFile())(refusal->result);
        runCommandLineTask(std::get<CliTask>(*found));
    }
    return runWindowMode(argc, argv);
}
