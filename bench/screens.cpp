// Screenshot tool: bench/screens [OUTPUT_DIR [IMAGE]] renders the main window at 1100 × 760 in
// every sidebar section, the import screen in its Empty, Recognising, Result (raw text closed
// and open) and Write-failed states (that one also at the minimum 980 × 700), and the settings
// window; then, with realistic data (three lists of thirty entries in all, a dozen history
// records with their photos, two Reminders lists), the lists screen (each filter, a search, the
// import sheet, and at 980 × 700), the history, settings and about screens; all under a light
// and a dark palette, to OUTPUT_DIR/<palette>-<view>.png (default ./screens); the sections also
// under a dark palette with a dark highlight ("dark-dim"), where the accents must keep their
// contrast. IMAGE is the homework photo to import (default: the test corpus' 03-print-photo.jpg).
// With --docs DOCS_DIR last, the pictures the README shows are copied there: the import screen
// light and dark (screenshot.png, screenshot-dark.png) and the lists screen light and dark
// (lists.png, lists-dark.png). Runs on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise, in a temporary HOME, with Qt's Chinese translations as the window has them.

#include "bench/BenchHome.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/DataFolder.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/MainWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/import/ImportHeader.h"
#include "ui/import/ImportView.h"
#include "ui/import/RawTextSection.h"
#include "ui/lists/ImportFromRemindersSheet.h"
#include "ui/lists/ListsView.h"
#include "ui/lists/VisibleTasks.h"
#include "ui/shell/ColorScheme.h"
#include "ui/shell/QtTranslations.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

// The dark palette with the kind of dark highlight that made accents vanish when they were used
// as they came.
QPalette darkDimPalette()
{
    QPalette p = ColorScheme::darkPalette();
    p.setColor(QPalette::Highlight, QColor(28, 48, 110));
    return p;
}

void settle(int milliseconds = 250)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

bool waitIdle(ImportView *view)
{
    QDeadlineTimer deadline(300000);
    while (view->isBusy() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    settle();
    return !view->isBusy();
}

class Shooter {
public:
    Shooter(QString folder, QString scheme)
        : m_folder(std::move(folder)), m_scheme(std::move(scheme))
    {
    }

    void shoot(QWidget *widget, const QString &view) const
    {
        settle();
        const QString path = QStringLiteral("%1/%2-%3.png").arg(m_folder, m_scheme, view);
        if (widget->grab().save(path))
            std::printf("%s\n", qPrintable(path));
        else
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }

private:
    QString m_folder;
    QString m_scheme;
};

const char *sectionFileName(AppSection section)
{
    switch (section) {
    case AppSection::Importer:
        return "section-importer";
    case AppSection::Lists:
        return "section-lists";
    case AppSection::History:
        return "section-history";
    case AppSection::Settings:
        return "section-settings";
    case AppSection::About:
        return "section-about";
    }
    return "section";
}

void shootSections(MainWindow &window, const Shooter &shooter)
{
    for (AppSection section : AppSections::all()) {
        window.rootView()->setSection(section);
        shooter.shoot(&window, QString::fromLatin1(sectionFileName(section)));
    }
}

void shootScheme(const SharedObjects &shared, const Shooter &shooter, const QString &photo)
{
    MainWindow window(shared);
    window.resize(1100, 760);
    window.show();
    RootView *root = window.rootView();
    shootSections(window, shooter);

    root->setSection(AppSection::Lists);
    root->setSection(AppSection::Importer);
    ImportView *view = root->importView();
    shooter.shoot(&window, QStringLiteral("import-empty"));

    view->load(photo);
    shooter.shoot(&window, QStringLiteral("import-recognising"));
    if (!waitIdle(view))
        std::fprintf(stderr, "recognition did not finish\n");
    shooter.shoot(&window, QStringLiteral("import-result"));
    view->rawTextSection()->setExpanded(true);
    shooter.shoot(&window, QStringLiteral("import-result-raw-text"));

    // A file where the Reminders folder belongs: the write fails.
    const QString reminders =
        QString::fromUtf8(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/Slatebook/Reminders");
    QDir(reminders).removeRecursively();
    QFile(reminders).open(QIODevice::WriteOnly);
    view->header()->targetSwitch()->setCurrentIndex(1);
    view->write();
    waitIdle(view);
    shooter.shoot(&window, QStringLiteral("import-write-failed"));
    QFile::remove(reminders);
    // The smallest window the layout must still fit.
    window.resize(980, 700);
    shooter.shoot(&window, QStringLiteral("import-write-failed-980x700"));

    window.showSettingsWindow();
    shooter.shoot(window.settingsWindow(), QStringLiteral("settings-window"));
}

QDateTime todayAt(int hour, int minute, int daysAhead = 0)
{
    return QDateTime(QDate::currentDate().addDays(daysAhead), QTime(hour, minute));
}

// Three lists, thirty entries, a dozen history records with the corpus' photos, and two
// Reminders lists for the import sheet.
void fillRealisticData(const SharedObjects &shared)
{
    struct Entry {
        const char *title;
        bool done;
        std::optional<QDateTime> due;
    };
    const QString photo = QStringLiteral("03-print-photo.jpg");
    const QList<std::pair<QString, QList<Entry>>> lists = {
        {QStringLiteral("3.15作业"),
         {{"语文｜背诵《春》第二段", false, todayAt(20, 0)},
          {"语文｜抄写生字第三课 每个三遍", true, std::nullopt},
          {"数学｜练习册 P12-P13", false, todayAt(21, 30)},
          {"数学｜订正周测错题", false, todayAt(7, 30, -1)},
          {"英语｜听写 Unit 3 单词", false, todayAt(19, 0, 1)},
          {"英语｜朗读课文 3 遍并录音", true, std::nullopt},
          {"物理｜完成实验报告", false, todayAt(18, 0, 2)},
          {"化学｜预习第 5 节", false, std::nullopt},
          {"生物｜画细胞结构图", true, todayAt(12, 0, -2)},
          {"历史｜阅读 P45-P48 并做笔记", false, std::nullopt},
          {"地理｜填图练习", false, todayAt(23, 59)},
          {"道法｜背诵第二单元要点", false, std::nullopt}}},
        {QStringLiteral("3.16作业"),
         {{"语文｜阅读理解两篇", false, std::nullopt},
          {"语文｜作文《我的周末》600 字", false, todayAt(8, 0, 3)},
          {"数学｜口算 100 题", true, std::nullopt},
          {"数学｜课本 P36 第 1-5 题", false, todayAt(20, 0, 1)},
          {"英语｜完成同步练习 Unit 4", false, std::nullopt},
          {"英语｜背诵对话", true, std::nullopt},
          {"科学｜观察记录：种子发芽", false, todayAt(17, 0, 4)},
          {"美术｜准备水彩颜料", false, std::nullopt},
          {"音乐｜练唱《茉莉花》", true, std::nullopt},
          {"体育｜跳绳 300 下", false, std::nullopt}}},
        {QStringLiteral("周末作业"),
         {{"语文｜读《西游记》第 3-5 回", false, std::nullopt},
          {"数学｜综合练习卷一张", false, todayAt(19, 0, 2)},
          {"英语｜看英文动画并写 5 个新词", false, std::nullopt},
          {"信息｜整理打字练习", true, std::nullopt},
          {"历史｜查一位历史人物的资料", false, std::nullopt},
          {"地理｜制作简易地球仪", false, std::nullopt},
          {"体育｜户外活动 1 小时", true, std::nullopt},
          {"劳动｜帮家里做一次晚饭", false, std::nullopt}}},
    };
    for (const auto &[name, entries] : lists) {
        shared.store.ensureList(name);
        for (const Entry &entry : entries) {
            const QString title = QString::fromUtf8(entry.title);
            shared.store.add({title}, name, entry.due,
                             entry.done ? std::nullopt : std::optional(photo));
            if (entry.done) {
                const std::optional<TaskList> list = shared.store.list(name);
                for (const TaskItem &task : list->tasks) {
                    if (task.title == title)
                        shared.store.toggle(task.id, name);
                }
            }
        }
    }

    const QStringList images = {"01-screenshot.png",   "03-print-photo.jpg", "05-kai-photo.jpg",
                                "13-exif-rotated.jpg", "14-hand-photo.jpg",  "math-line.heic"};
    const QStringList items = {"语文｜背诵《春》第二段", "数学｜练习册 P12-P13",
                               "英语｜听写 Unit 3 单词", "物理｜完成实验报告",
                               "化学｜预习第 5 节",      "历史｜阅读 P45-P48"};
    for (int i = 11; i >= 0; --i) {
        HistoryRecord record;
        record.date = QDateTime::currentDateTime().addSecs(-3600LL * 17 * i - 1260);
        record.listName = QStringLiteral("%1.%2作业")
                              .arg(record.date.date().month())
                              .arg(record.date.date().day());
        if (i == 4)
            record.imagePath.reset();
        else if (i == 7)
            record.imagePath = QStringLiteral("/home/student/图片/已删除的作业.jpg");
        else
            record.imagePath = QStringLiteral(SLATEBOOK_TEST_DATA "/") + images[i % images.size()];
        record.items = items.mid(0, 2 + i % 5);
        record.written = i % 3 == 0 ? 0 : record.items.size() - i % 2;
        record.skipped = record.items.size() - record.written;
        shared.history.add(record);
    }

    bool written = false;
    shared.service.writeRaw(
        {{QStringLiteral("收拾书包"), std::nullopt}, {QStringLiteral("倒垃圾"), std::nullopt}},
        QStringLiteral("家务"), false, [&](const WriteResult &) { written = true; });
    while (!written)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    written = false;
    shared.service.writeRaw({{QStringLiteral("数学｜练习册 P20"), todayAt(20, 0, 1)},
                             {QStringLiteral("语文｜背古诗两首"), std::nullopt},
                             {QStringLiteral("英语｜抄写单词"), todayAt(19, 30, 1)},
                             {QStringLiteral("科学｜观察月相"), std::nullopt}},
                            QStringLiteral("数学作业"), false,
                            [&](const WriteResult &) { written = true; });
    while (!written)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void shootDataScreens(const SharedObjects &shared, const Shooter &shooter)
{
    MainWindow window(shared);
    window.resize(1100, 760);
    window.show();
    RootView *root = window.rootView();

    root->setSection(AppSection::Lists);
    auto *lists = qobject_cast<ListsView *>(root->currentScreen());
    auto *search = lists->findChild<QLineEdit *>(QStringLiteral("searchField"));
    shooter.shoot(&window, QStringLiteral("lists"));
    lists->setFilter(VisibleTasks::Filter::All);
    shooter.shoot(&window, QStringLiteral("lists-all"));
    lists->setFilter(VisibleTasks::Filter::Done);
    shooter.shoot(&window, QStringLiteral("lists-done"));
    lists->setFilter(VisibleTasks::Filter::All);
    search->setText(QStringLiteral("英语"));
    lists->exportList();
    settle(600);
    shooter.shoot(&window, QStringLiteral("lists-search-exported"));
    search->setText(QStringLiteral("没有这个"));
    shooter.shoot(&window, QStringLiteral("lists-search-nothing"));
    search->clear();
    window.resize(980, 700);
    shooter.shoot(&window, QStringLiteral("lists-980x700"));
    window.resize(1100, 760);
    lists->openImportSheet();
    settle(800);
    auto *sheet = lists->findChild<ImportFromRemindersSheet *>();
    shooter.shoot(sheet, QStringLiteral("lists-import-sheet"));
    sheet->close();

    root->setSection(AppSection::History);
    settle(2500); // the thumbnails are made on the thread pool
    shooter.shoot(&window, QStringLiteral("history"));
    window.resize(980, 700);
    shooter.shoot(&window, QStringLiteral("history-980x700"));
    window.resize(1100, 760);

    root->setSection(AppSection::Settings);
    settle(800);
    shooter.shoot(&window, QStringLiteral("settings"));
    root->setSection(AppSection::About);
    shooter.shoot(&window, QStringLiteral("about"));
    window.showSettingsWindow();
    settle(800);
    shooter.shoot(window.settingsWindow(), QStringLiteral("settings-window-data"));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    useHome(home.path());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Slatebook"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QtTranslations::install(app);
    // The offscreen platform has no desktop font; a desktop's usual 10 points (KDE's default)
    // shows the sizes that users see.
    QFont desktopFont = QApplication::font();
    desktopFont.setPointSizeF(10);
    QApplication::setFont(desktopFont);
    QApplication::setApplicationVersion(QStringLiteral(SLATEBOOK_VERSION));

    QStringList arguments = QCoreApplication::arguments();
    QString docs;
    if (arguments.size() >= 3 && arguments.at(arguments.size() - 2) == QLatin1String("--docs")) {
        docs = arguments.takeLast();
        arguments.removeLast();
    }
    const QString folder = arguments.size() > 1 ? arguments.at(1) : QStringLiteral("screens");
    const QString photo = arguments.size() > 2
        ? arguments.at(2)
        : QStringLiteral(SLATEBOOK_TEST_DATA "/03-print-photo.jpg");
    QDir().mkpath(folder);

    AppSettings settings;
    HistoryStore history;
    RemindersService service;
    TaskStore store(DataFolder::path());
    NotificationService &notify = NotificationService::instance();
    const SharedObjects shared{settings, history, service, store, notify};

    const QPalette light = QApplication::style()->standardPalette();
    QApplication::setPalette(light);
    shootScheme(shared, Shooter(folder, QStringLiteral("light")), photo);
    QApplication::setPalette(ColorScheme::darkPalette());
    shootScheme(shared, Shooter(folder, QStringLiteral("dark")), photo);
    {
        QApplication::setPalette(darkDimPalette());
        MainWindow window(shared);
        window.resize(1100, 760);
        window.show();
        shootSections(window, Shooter(folder, QStringLiteral("dark-dim")));
    }

    fillRealisticData(shared);
    QApplication::setPalette(light);
    shootDataScreens(shared, Shooter(folder, QStringLiteral("light")));
    QApplication::setPalette(ColorScheme::darkPalette());
    shootDataScreens(shared, Shooter(folder, QStringLiteral("dark")));

    if (!docs.isEmpty()) {
        for (const auto &[shot, picture] :
             {std::pair{"light-import-result", "screenshot"},
              std::pair{"dark-import-result", "screenshot-dark"}, std::pair{"light-lists", "lists"},
              std::pair{"dark-lists", "lists-dark"}}) {
            const QString target =
                QStringLiteral("%1/%2.png").arg(docs, QString::fromLatin1(picture));
            QFile::remove(target);
            if (!QFile::copy(QStringLiteral("%1/%2.png").arg(folder, QString::fromLatin1(shot)),
                             target))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        }
    }
    return 0;
}
