#include "ui/preferences/datatab.h"

#include "interchange/collectionexporter.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "ui/common/filedialogs.h"
#include "ui/preferences/preferencebindings.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QThreadPool>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QPushButton* makeButton(const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QWidget* buttonRow(const QList<QPushButton*>& buttons)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    layout->addStretch();
    return row;
}

} // namespace

DataTab::DataTab(Settings& settings, AppState& state, PersistenceService& persistence,
    FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_persistence(persistence)
    , m_dialogs(dialogs)
{
    QVBoxLayout* page = makeTabPage(this, u"dataTab"_s);

    QFormLayout* history = addSection(page, tr("History"), u"historySection"_s);
    auto* retention = new QSpinBox;
    retention->setObjectName(u"maxHistoryItemsField"_s);
    retention->setRange(0, 1000000);
    retention->setButtonSymbols(QAbstractSpinBox::NoButtons);
    retention->setFixedWidth(60);
    bindSpinBox(retention, settings, SettingKeys::historyRetention);
    history->addRow(tr("Max History Items"), retention);

    QFormLayout* storage = addSection(page, tr("Storage"), u"storageSection"_s);
    auto* location = new QLabel(displayPath(m_persistence.appDirectory()));
    location->setObjectName(u"dataLocation"_s);
    location->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    location->setForegroundRole(QPalette::PlaceholderText);
    location->setTextInteractionFlags(Qt::TextSelectableByMouse);
    storage->addRow(tr("Data Location"), location);
    m_dataSize = new QLabel(tr("Calculating..."));
    m_dataSize->setObjectName(u"storageUsed"_s);
    storage->addRow(tr("Storage Used"), m_dataSize);
    storage->addRow(buildStorageButtons());

    QFormLayout* backup = addSection(page, tr("Backup"), u"backupSection"_s);
    auto* caption = new QLabel(
        tr("Export creates a single JSON file with all collections, environments, global "
           "variables, and history."));
    caption->setWordWrap(true);
    caption->setForegroundRole(QPalette::PlaceholderText);
    backup->addRow(caption);
    backup->addRow(buildBackupButtons());
    page->addStretch();

    // A backup import or export changes what the folder holds.
    connect(&m_state, &AppState::fileOperationFinished, this, &DataTab::calculateDataSize);
}

QWidget* DataTab::buildStorageButtons()
{
    QPushButton* open = makeButton(u"openDataFolderButton"_s, tr("Open in File Manager"));
    connect(open, &QPushButton::clicked, this,
        [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_persistence.appDirectory())); });
    QPushButton* clear = makeButton(u"clearHistoryButton"_s, tr("Clear History"));
    connect(clear, &QPushButton::clicked, this, &DataTab::confirmClearHistory);
    return buttonRow({open, clear});
}

QWidget* DataTab::buildBackupButtons()
{
    QPushButton* exportAll = makeButton(u"exportAllDataButton"_s, tr("Export All Data..."));
    connect(exportAll, &QPushButton::clicked, this, [this] {
        m_dialogs.saveJson(window(), tr("Export All Data"),
            QString::fromUtf16(CollectionExporter::kDefaultBackupFileName),
            [this](const QString& path) { m_state.exportAllData(path); });
    });
    QPushButton* importAll = makeButton(u"importDataButton"_s, tr("Import Data..."));
    connect(importAll, &QPushButton::clicked, this, [this] {
        m_dialogs.openJson(window(), tr("Select a Mako backup file"),
            [this](const QString& path) { m_state.importAllData(path); });
    });
    return buttonRow({exportAll, importAll});
}

QString DataTab::displayPath(const QString& path)
{
    const QString home = QDir::homePath();
    const QString clean = QDir::cleanPath(path);
    if (clean == home)
        return u"~"_s;
    if (clean.startsWith(home + u'/'))
        return QDir::toNativeSeparators(u"~"_s + clean.mid(home.size()));
    return QDir::toNativeSeparators(clean);
}

QString DataTab::folderSizeText(const QString& folder)
{
    qint64 total = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        total += entry.isFile() ? entry.size() : 0;
    return QLocale().formattedDataSize(total, 1, QLocale::DataSizeSIFormat);
}

void DataTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    calculateDataSize();
}

void DataTab::calculateDataSize()
{
    m_persistence.whenIdle(this, [self = QPointer(this), folder = m_persistence.appDirectory()] {
        QThreadPool::globalInstance()->start([self, folder] {
            const QString text = folderSizeText(folder);
            // The tab may be gone by the time the folder is measured; only the main thread
            // looks at it.
            QMetaObject::invokeMethod(QCoreApplication::instance(), [self, text] {
                if (self)
                    self->m_dataSize->setText(text);
            });
        });
    });
}

void DataTab::confirmClearHistory()
{
    // A closed confirmation lingers until its deferred deletion; only an open one is reused.
    if (m_confirmation && m_confirmation->isVisible()) {
        m_confirmation->raise();
        return;
    }
    m_confirmation = new QMessageBox(QMessageBox::Warning, tr("Clear History?"),
        tr("Clear History?"), QMessageBox::Cancel, window());
    m_confirmation->setObjectName(u"clearHistoryConfirmation"_s);
    m_confirmation->setInformativeText(tr("This will permanently delete all request history."));
    QPushButton* clear = m_confirmation->addButton(tr("Clear"), QMessageBox::DestructiveRole);
    clear->setObjectName(u"confirmClearHistoryButton"_s);
    m_confirmation->setDefaultButton(QMessageBox::Cancel);
    m_confirmation->setAttribute(Qt::WA_DeleteOnClose);
    m_confirmation->setWindowModality(Qt::WindowModal);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_state.clearHistory();
        calculateDataSize();
    });
    m_confirmation->open();
}

} // namespace mako
