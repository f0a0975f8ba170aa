#include "preferencesrun.h"
#include "state/settings.h"
#include "ui/common/colors.h"
#include "ui/preferences/datatab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Records the folders the application asks the desktop to show.
class FolderRecorder : public QObject {
    Q_OBJECT

public:
    FolderRecorder() { QDesktopServices::setUrlHandler(u"file"_s, this, "record"); }
    ~FolderRecorder() override { QDesktopServices::unsetUrlHandler(u"file"_s); }
    QList<QUrl> urls;

public Q_SLOTS:
    void record(const QUrl& url) { urls.append(url); }
};

} // namespace

TEST(PreferencesWindow, opensOnceWithSevenTabsFromTheMenuAndItsKey)
{
    PreferencesRun run;
    PreferencesWindow* window = run.preferencesWindow();
    ASSERT_TRUE(window);
    QTabWidget* tabs = window->tabs();
    // Every tab shows at once: the window is as wide as the tabs need, and never narrower.
    EXPECT_EQ(window->size(), QSize(std::max(550, tabs->tabBar()->sizeHint().width()), 420));
    EXPECT_LE(tabs->tabBar()->sizeHint().width(), tabs->tabBar()->width());
    QStringList labels;
    for (int index = 0; index < tabs->count(); ++index) {
        labels.append(tabs->tabText(index));
        EXPECT_FALSE(tabs->tabIcon(index).isNull()) << index;
    }
    EXPECT_EQ(labels,
        QStringList({u"General"_s, u"Editor"_s, u"Network"_s, u"Proxy"_s, u"Certificates"_s,
            u"Data"_s, u"Shortcuts"_s}));

    // The menu item raises the open window instead of making a second one.
    run.action(u"preferencesAction"_s)->trigger();
    EXPECT_EQ(visibleDialog(u"preferencesWindow"_s), window);
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([] { return !visibleDialog(u"preferencesWindow"_s); }));
    ASSERT_TRUE(run.activate());
    QTest::keyClick(&run.ShellRun::window(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return visibleDialog(u"preferencesWindow"_s); }));
}

TEST(PreferencesWindow, sidebarWidthSliderStoresMultiplesOfTenAndSizesTheSidebarAtOnce)
{
    PreferencesRun run;
    auto* slider = run.control<QSlider>(u"sidebarWidthSlider"_s);
    ASSERT_TRUE(slider);
    // A width the user dragged to before: the preference chosen after it wins.
    auto* splitter = run.find<QSplitter>(u"mainSplitter"_s);
    splitter->setSizes({300, 900});
    const struct {
        Qt::Key key;
        double stored;
        int width;
    } cases[] {{Qt::Key_Right, 270, 270}, {Qt::Key_End, 400, 360}, {Qt::Key_Left, 390, 360},
        {Qt::Key_Home, 200, 220}};
    for (const auto& step : cases) {
        QTest::keyClick(slider, step.key);
        EXPECT_EQ(run.settings().value(SettingKeys::sidebarWidth), step.stored);
        EXPECT_EQ(run.control<QLabel>(u"sidebarWidthValue"_s)->text(),
            QString::number(step.stored) + u"px"_s);
        EXPECT_EQ(splitter->sizes().constFirst(), step.width) << step.stored;
    }
}

TEST(PreferencesWindow, generalAndEditorControlsApplyAtOnce)
{
    PreferencesRun run;
    // The accent colours the selection under the desktop's own theme too, which keeps the
    // rest of its palette.
    const QColor desktopWindow = QApplication::palette().color(QPalette::Window);
    auto* accent = run.control<QComboBox>(u"accentColorPicker"_s);
    ASSERT_TRUE(accent);
    accent->setCurrentIndex(accent->findText(u"Orange"_s));
    Q_EMIT accent->activated(accent->currentIndex());
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight),
        systemColor(SystemColor::orange, QApplication::palette()));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), desktopWindow);

    auto* theme = run.control<QComboBox>(u"themePicker"_s);
    ASSERT_TRUE(theme);
    theme->setCurrentIndex(theme->findText(u"Dark"_s));
    Q_EMIT theme->activated(theme->currentIndex());
    EXPECT_EQ(run.settings().value(SettingKeys::appearance), u"dark"_s);
    EXPECT_TRUE(isDark(QApplication::palette()));
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight),
        systemColor(SystemColor::orange, QApplication::palette()));

    run.showTab(u"editorTab"_s);
    auto* fontSize = run.control<QSlider>(u"fontSizeSlider"_s);
    fontSize->setValue(16);
    EXPECT_EQ(run.settings().value(SettingKeys::editorFontSize), 16);
    // In pixels, like every other size of the window.
    EXPECT_EQ(run.control<QLabel>(u"fontPreview"_s)->font().pixelSize(), 16);
    auto* tabSize = run.control<QComboBox>(u"tabSizePicker"_s);
    tabSize->setCurrentIndex(tabSize->findText(u"Tab"_s));
    Q_EMIT tabSize->activated(tabSize->currentIndex());
    EXPECT_EQ(run.settings().value(SettingKeys::editorTabSize), 0);
    run.settings().setValue(SettingKeys::appearance, u"system"_s);
    // A change made elsewhere shows in the control.
    EXPECT_EQ(theme->currentText(), u"System"_s);
}

TEST(PreferencesWindow, turningTheProxyOffHidesItsRowsAndKeepsTheirValues)
{
    PreferencesRun run;
    run.showTab(u"proxyTab"_s);
    auto* server = run.control(u"proxyServerRows"_s);
    auto* authentication = run.control(u"proxyAuthenticationRows"_s);
    ASSERT_TRUE(server && authentication);
    EXPECT_FALSE(server->isVisible());
    click(run.control<QCheckBox>(u"proxyEnabledToggle"_s));
    EXPECT_TRUE(server->isVisible());
    EXPECT_FALSE(authentication->isVisible());
    click(run.control<QToolButton>(u"proxyType_socks5"_s));
    QTest::keyClicks(run.control(u"proxyHostField"_s), u"proxy.test"_s);
    run.type(run.control<QSpinBox>(u"proxyPortField"_s), u"3128"_s);
    click(run.control<QCheckBox>(u"proxyAuthToggle"_s));
    EXPECT_TRUE(authentication->isVisible());
    QTest::keyClicks(run.control(u"proxyUsernameField"_s), u"ann"_s);

    click(run.control<QCheckBox>(u"proxyEnabledToggle"_s));
    EXPECT_FALSE(server->isVisible());
    EXPECT_FALSE(run.settings().value(SettingKeys::proxyEnabled));
    EXPECT_EQ(run.settings().value(SettingKeys::proxyType), u"socks5"_s);
    EXPECT_EQ(run.settings().value(SettingKeys::proxyHost), u"proxy.test"_s);
    EXPECT_EQ(run.settings().value(SettingKeys::proxyPort), 3128);
    EXPECT_TRUE(run.settings().value(SettingKeys::proxyAuth));
    EXPECT_EQ(run.settings().value(SettingKeys::proxyUsername), u"ann"_s);
    click(run.control<QCheckBox>(u"proxyEnabledToggle"_s));
    EXPECT_TRUE(authentication->isVisible());
    EXPECT_EQ(run.control<QLineEdit>(u"proxyHostField"_s)->text(), u"proxy.test"_s);
    EXPECT_TRUE(run.control<QToolButton>(u"proxyType_socks5"_s)->isChecked());
}

TEST(PreferencesWindow, shortcutsAreWrittenTheWayThisPlatformWritesThem)
{
    PreferencesRun run;
    QStringList keys;
    const auto* table = run.control<QTreeWidget>(u"shortcutsTable"_s);
    ASSERT_TRUE(table);
    for (int section = 0; section < table->topLevelItemCount(); ++section) {
        for (int row = 0; row < table->topLevelItem(section)->childCount(); ++row) {
            const QTreeWidgetItem* item = table->topLevelItem(section)->child(row);
            keys.append(item->text(0) + u" = "_s + item->text(1));
        }
    }
    for (const QString& expected : {u"New Request = Ctrl+N"_s, u"Send Request = Ctrl+Return"_s,
             u"Preferences = Ctrl+,"_s, u"Import Postman Collection = Ctrl+Shift+I"_s,
             u"Quit = Ctrl+Q"_s, u"Close Tab = Ctrl+W"_s, u"Close Window = Ctrl+Shift+W"_s,
             u"Export Collection = "_s, u"Cookies = "_s})
        EXPECT_TRUE(keys.contains(expected)) << expected.toStdString();
    EXPECT_EQ(keys.size(), 18);
}

TEST(DataTab, writesTheHomeFolderAsTilde)
{
    const QString home = QDir::homePath();
    const struct {
        QString path;
        QString shown;
    } cases[] {{home, u"~"_s},
        {home + u"/.local/share/com.quorin.mako"_s, u"~/.local/share/com.quorin.mako"_s},
        {home + u"-other/data"_s, home + u"-other/data"_s}, {u"/srv/mako"_s, u"/srv/mako"_s}};
    for (const auto& check : cases)
        EXPECT_EQ(DataTab::displayPath(check.path), check.shown) << check.path.toStdString();
}

TEST(DataTab, showsTheRealFolderAndItsSize)
{
    PreferencesRun run;
    run.state().addCollection(u"Sized"_s);
    run.state().saveCollections();
    run.showTab(u"dataTab"_s);
    EXPECT_EQ(
        run.control<QLabel>(u"dataLocation"_s)->text(), DataTab::displayPath(run.folder.path()));
    // Measured behind the save asked for above, so it counts the file written.
    QLabel* used = run.control<QLabel>(u"storageUsed"_s);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return used->text() == DataTab::folderSizeText(run.folder.path()); }));
    EXPECT_NE(
        run.control<QLabel>(u"storageUsed"_s)->text(), DataTab::folderSizeText(u"/nonexistent"_s));

    FolderRecorder desktop;
    click(run.control<QPushButton>(u"openDataFolderButton"_s));
    EXPECT_EQ(desktop.urls, QList {QUrl::fromLocalFile(run.folder.path())});
}

TEST(DataTab, maxHistoryItemsCapsTheHistory)
{
    PreferencesRun run;
    run.showTab(u"dataTab"_s);
    run.type(run.control<QSpinBox>(u"maxHistoryItemsField"_s), u"2"_s);
    for (int sent = 0; sent < 3; ++sent)
        run.state().addHistoryItem(APIRequest {}, 200, 0.1);
    EXPECT_EQ(run.settings().value(SettingKeys::historyRetention), 2);
    EXPECT_EQ(run.state().history().size(), 2);
}

TEST(DataTab, clearHistoryAsksFirst)
{
    PreferencesRun run;
    run.state().addHistoryItem(APIRequest {}, 200, 0.1);
    run.showTab(u"dataTab"_s);
    for (const bool confirm : {false, true}) {
        click(run.control<QPushButton>(u"clearHistoryButton"_s));
        auto* box = qobject_cast<QMessageBox*>(visibleDialog(u"clearHistoryConfirmation"_s));
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text(), u"Clear History?"_s);
        EXPECT_EQ(box->informativeText(), u"This will permanently delete all request history."_s);
        click(confirm ? box->findChild<QPushButton*>(u"confirmClearHistoryButton"_s)
                      : box->button(QMessageBox::Cancel));
        EXPECT_EQ(run.state().history().size(), confirm ? 0 : 1);
        EXPECT_TRUE(QTest::qWaitFor([] { return !visibleDialog(u"clearHistoryConfirmation"_s); }));
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return run.folder.read(PersistenceService::kHistoryFile) == "[]"; }, 20000));
}

TEST(DataTab, backupRoundTripThroughTheFilePanels)
{
    PreferencesRun run;
    QTemporaryDir elsewhere;
    const QString backup = elsewhere.filePath(u"backup.json"_s);
    run.state().addCollection(u"Kept"_s);
    run.showTab(u"dataTab"_s);
    run.dialogs->answer = backup;
    QSignalSpy finished(&run.state(), &AppState::fileOperationFinished);
    click(run.control<QPushButton>(u"exportAllDataButton"_s));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(run.dialogs->suggestedNames, QStringList {u"mako-backup.json"_s});
    EXPECT_TRUE(QFile::exists(backup));

    run.state().deleteCollection(run.state().collections().first().id);
    ASSERT_TRUE(run.state().collections().isEmpty());
    click(run.control<QPushButton>(u"importDataButton"_s));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(run.dialogs->titles.contains(u"Select a Mako backup file"_s));
    ASSERT_EQ(run.state().collections().size(), 1);
    EXPECT_EQ(run.state().collections().first().name, u"Kept"_s);
}

#include "preferenceswindow_test.moc"
