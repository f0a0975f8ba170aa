#include "ui/preferences/shortcutstab.h"

#include "ui/commands/shortcutmap.h"
#include "ui/preferences/preferencebindings.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr int kCommandRole = Qt::UserRole;
constexpr int kCapturingRole = Qt::UserRole + 1;
constexpr int kKeyColumn = 1;

// The key text on a small rounded plate, painted from the palette of the moment so that it
// follows the appearance; outlined in the accent colour while it waits for new keys.
class KeyDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        const QWidget* view = option.widget;
        (view ? view->style() : QApplication::style())
            ->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
        if (text.isEmpty())
            return;
        const QFont font = keyFont();
        const QFontMetrics metrics(font);
        QRect plate(0, 0, metrics.horizontalAdvance(text) + 2 * kPadding, metrics.height() + 4);
        plate.moveCenter(option.rect.center());
        plate.moveRight(option.rect.right() - kPadding);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool capturing = index.data(kCapturingRole).toBool();
        painter->setPen(
            capturing ? QPen(option.palette.color(QPalette::Highlight), 1.5) : QPen(Qt::NoPen));
        painter->setBrush(option.palette.color(QPalette::AlternateBase));
        painter->drawRoundedRect(QRectF(plate).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter->setFont(font);
        painter->setPen(
            option.palette.color(capturing ? QPalette::Text : QPalette::PlaceholderText));
        painter->drawText(plate, Qt::AlignCenter, text);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QFontMetrics metrics(keyFont());
        const QSize base = QStyledItemDelegate::sizeHint(option, index);
        return {metrics.horizontalAdvance(index.data().toString()) + 4 * kPadding,
            std::max(base.height(), metrics.height() + 10)};
    }

private:
    static constexpr int kPadding = 6;
    static QFont keyFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }
};

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

std::optional<Shortcut> commandOf(const QTreeWidgetItem* row)
{
    const QVariant command = row ? row->data(0, kCommandRole) : QVariant();
    if (!command.isValid())
        return std::nullopt;
    return static_cast<Shortcut>(command.toInt());
}

} // namespace

ShortcutsTab::ShortcutsTab(ShortcutMap& shortcuts, QWidget* parent)
    : QWidget(parent)
    , m_shortcuts(shortcuts)
    , m_table(new QTreeWidget)
    , m_hint(new QLabel)
    , m_restore(new QPushButton(tr("Restore Defaults")))
{
    QVBoxLayout* page = makeTabPage(this, u"shortcutsTab"_s);

    m_table->setObjectName(u"shortcutsTable"_s);
    m_table->setAccessibleName(tr("Shortcuts"));
    m_table->setAccessibleDescription(tr("Choose a command and press Return to give it new keys."));
    m_table->setColumnCount(2);
    m_table->setHeaderHidden(true);
    m_table->setRootIsDecorated(false);
    m_table->setItemsExpandable(false);
    m_table->setExpandsOnDoubleClick(false);
    m_table->setUniformRowHeights(true);
    m_table->setAllColumnsShowFocus(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the list; the arrow keys move within it.
    m_table->setTabKeyNavigation(false);
    m_table->setItemDelegateForColumn(kKeyColumn, new KeyDelegate(m_table));
    m_table->header()->setStretchLastSection(false);
    m_table->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->header()->setSectionResizeMode(kKeyColumn, QHeaderView::ResizeToContents);

    const QList<std::pair<QString, QList<Shortcut>>> sections {
        {tr("Requests"),
            {Shortcut::newRequest, Shortcut::sendRequest, Shortcut::saveToCollection,
                Shortcut::duplicateRequest}},
        {tr("Navigation"),
            {Shortcut::toggleSidebar, Shortcut::preferences, Shortcut::search, Shortcut::quickOpen,
                Shortcut::manageCookies}},
        {tr("Import / Export"),
            {Shortcut::importPostmanCollection, Shortcut::importPostmanEnvironment,
                Shortcut::importMakoCollection, Shortcut::importCurl, Shortcut::exportCollection}},
        {tr("App"),
            {Shortcut::quit, Shortcut::minimize, Shortcut::closeTab, Shortcut::closeWindow}},
    };
    for (const auto& [title, commands] : sections) {
        auto* section = new QTreeWidgetItem(m_table, {title});
        section->setFlags(Qt::ItemIsEnabled);
        QFont bold = section->font(0);
        bold.setBold(true);
        section->setFont(0, bold);
        section->setFirstColumnSpanned(true);
        for (const Shortcut command : commands) {
            auto* row = new QTreeWidgetItem(section, {this->title(command)});
            row->setData(0, kCommandRole, static_cast<int>(command));
        }
    }
    m_table->expandAll();
    m_table->setCurrentItem(m_table->topLevelItem(0)->child(0));
    m_table->installEventFilter(this);
    connect(m_table, &QTreeWidget::itemClicked, this,
        [this](QTreeWidgetItem* row) { startCapture(row); });

    m_hint->setObjectName(u"shortcutsHint"_s);
    m_hint->setWordWrap(true);
    m_hint->setForegroundRole(QPalette::PlaceholderText);
    m_restore->setObjectName(u"restoreDefaultShortcutsButton"_s);
    m_restore->setAccessibleName(m_restore->text());
    connect(m_restore, &QPushButton::clicked, this, [this] {
        endCapture();
        m_shortcuts.restoreDefaults();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_hint, 1);
    buttons->addWidget(m_restore, 0, Qt::AlignTop);

    page->addWidget(m_table, 1);
    page->addLayout(buttons);

    showKeys();
    connect(&m_shortcuts, &ShortcutMap::changed, this, &ShortcutsTab::showKeys);
}

QString ShortcutsTab::title(Shortcut command) const
{
    switch (command) {
    case Shortcut::newRequest:
        return tr("New Request");
    case Shortcut::importPostmanCollection:
        return tr("Import Postman Collection");
    case Shortcut::importPostmanEnvironment:
        return tr("Import Postman Environment");
    case Shortcut::exportCollection:
        return tr("Export Collection");
    case Shortcut::importMakoCollection:
        return tr("Import Mako Collection");
    case Shortcut::importCurl:
        return tr("Import from cURL");
    case Shortcut::sendRequest:
        return tr("Send Request");
    case Shortcut::saveToCollection:
        return tr("Save Request");
    case Shortcut::duplicateRequest:
        return tr("Duplicate Request");
    case Shortcut::toggleSidebar:
        return tr("Toggle Sidebar");
    case Shortcut::quickOpen:
        return tr("Quick Open");
    case Shortcut::search:
        return tr("Search");
    case Shortcut::closeTab:
        return tr("Close Tab");
    case Shortcut::closeWindow:
        return tr("Close Window");
    case Shortcut::minimize:
        return tr("Minimize");
    case Shortcut::quit:
        return tr("Quit");
    case Shortcut::preferences:
        return tr("Preferences");
    case Shortcut::manageCookies:
        return tr("Cookies");
    }
    return {};
}

bool ShortcutsTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_table)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // While capturing, every key is the new key: none may close the window or run a
        // command. Plain Tab still moves on.
        if (m_capturing) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
                event->accept();
                return true;
            }
        }
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_capturing)
            return handleCapturedKey(*key);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && key->modifiers() == Qt::NoModifier && commandOf(m_table->currentItem())) {
            startCapture(m_table->currentItem());
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
        endCapture();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ShortcutsTab::startCapture(QTreeWidgetItem* row)
{
    const std::optional<Shortcut> command = commandOf(row);
    if (!command)
        return;
    endCapture();
    m_capturing = row;
    m_table->setCurrentItem(row);
    row->setText(kKeyColumn, tr("Press keys…"));
    row->setData(kKeyColumn, kCapturingRole, true);
    m_hint->setText(tr("Press the new keys for “%1”. Escape keeps the current keys, Backspace "
                       "removes them.")
                        .arg(title(*command)));
}

void ShortcutsTab::endCapture()
{
    if (!m_capturing)
        return;
    m_capturing->setData(kKeyColumn, kCapturingRole, QVariant());
    m_capturing = nullptr;
    showKeys();
}

bool ShortcutsTab::handleCapturedKey(const QKeyEvent& key)
{
    const Shortcut command = *commandOf(m_capturing);
    const int code = key.key();
    const Qt::KeyboardModifiers modifiers
        = key.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (modifiers == Qt::NoModifier && code == Qt::Key_Escape) {
        endCapture();
        return true;
    }
    if (code == Qt::Key_Tab || code == Qt::Key_Backtab) {
        // Plain Tab leaves the list as always; with Ctrl it is the tab bar's own key.
        if (modifiers & Qt::ControlModifier)
            return true;
        endCapture();
        return false;
    }
    if (modifiers == Qt::NoModifier && (code == Qt::Key_Backspace || code == Qt::Key_Delete)) {
        endCapture();
        m_shortcuts.setKey(command, QKeySequence());
        return true;
    }
    if (isModifierKey(code))
        return true;
    // A plain letter would fire whenever the focus is not in a text field.
    const bool functionKey = code >= Qt::Key_F1 && code <= Qt::Key_F35;
    if (!functionKey && !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        m_hint->setText(tr("Hold Ctrl or Alt with the key, or use a function key."));
        return true;
    }
    endCapture();
    assign(command, QKeySequence(QKeyCombination(modifiers, Qt::Key(code))));
    return true;
}

void ShortcutsTab::assign(Shortcut command, const QKeySequence& key)
{
    if (key == m_shortcuts.key(command))
        return;
    if (const std::optional<Shortcut> holder = m_shortcuts.commandWith(key, command))
        askToReassign(command, key, *holder);
    else
        m_shortcuts.setKey(command, key);
}

void ShortcutsTab::askToReassign(Shortcut command, const QKeySequence& key, Shortcut holder)
{
    delete m_conflict;
    m_conflict = new QMessageBox(QMessageBox::Question, tr("Shortcut in Use"),
        tr("“%1” is already used by “%2”. Use it here and remove it there?")
            .arg(shortcuts::text(key), title(holder)),
        QMessageBox::NoButton, window());
    m_conflict->setObjectName(u"shortcutConflictAlert"_s);
    m_conflict->setWindowModality(Qt::WindowModal);
    m_conflict->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* reassign = m_conflict->addButton(tr("Reassign"), QMessageBox::AcceptRole);
    reassign->setObjectName(u"reassignShortcutButton"_s);
    QPushButton* keep = m_conflict->addButton(tr("Keep"), QMessageBox::RejectRole);
    keep->setObjectName(u"keepShortcutButton"_s);
    m_conflict->setDefaultButton(reassign);
    m_conflict->setEscapeButton(keep);
    connect(reassign, &QPushButton::clicked, this,
        [this, command, key] { m_shortcuts.setKey(command, key); });
    m_conflict->open();
}

void ShortcutsTab::showKeys()
{
    bool changed = false;
    for (int section = 0; section < m_table->topLevelItemCount(); ++section) {
        QTreeWidgetItem* rows = m_table->topLevelItem(section);
        for (int index = 0; index < rows->childCount(); ++index) {
            QTreeWidgetItem* row = rows->child(index);
            const Shortcut command = *commandOf(row);
            const QKeySequence key = m_shortcuts.key(command);
            changed = changed || key != ShortcutMap::defaultKey(command);
            if (row == m_capturing)
                continue;
            row->setText(kKeyColumn, shortcuts::text(key));
            row->setData(kKeyColumn, Qt::AccessibleTextRole,
                key.isEmpty() ? tr("None") : shortcuts::text(key));
        }
    }
    m_restore->setEnabled(changed);
    if (!m_capturing)
        m_hint->setText(tr("Choose a command and press Return, or click it, to give it new keys."));
}

} // namespace mako
