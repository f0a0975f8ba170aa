#include "ui/shell/welcomeview.h"

#include "state/appstate.h"
#include "ui/commands/commands.h"
#include "ui/commands/shortcutmap.h"
#include "ui/common/colors.h"
#include "ui/common/iconlabel.h"
#include "ui/shell/protocolactions.h"
#include "ui/shell/quickactionbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

struct QuickAction {
    QString objectName;
    QString title;
    QStringView symbol;
    SystemColor color;
    std::optional<Shortcut> shortcut;
    std::function<void()> action;
};

struct TipItem {
    QStringView icon;
    /// With %1 for the key of `command`, when it names one.
    QString text;
    std::optional<Shortcut> command;
};

QLabel* secondaryLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

WelcomeView::WelcomeView(
    AppState& state, Commands& commands, const ShortcutMap& shortcuts, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_commands(commands)
    , m_shortcuts(shortcuts)
{
    setObjectName(u"welcomeView"_s);
    setAccessibleName(tr("Welcome"));

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(28);
    column->addStretch(1);
    column->addWidget(buildHeader(), 0, Qt::AlignHCenter);
    column->addWidget(buildActions(), 0, Qt::AlignHCenter);
    column->addWidget(buildTips(), 0, Qt::AlignHCenter);
    column->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    showShortcuts();
    connect(&m_shortcuts, &ShortcutMap::changed, this, &WelcomeView::showShortcuts);
}

QWidget* WelcomeView::buildHeader()
{
    auto* header = new QWidget;
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* name = new QLabel(tr("Mako"));
    name->setObjectName(u"welcomeTitle"_s);
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 2.6);
    large.setBold(true);
    name->setFont(large);
    auto* line = secondaryLabel(tr("The native API client for your desktop"));
    line->setObjectName(u"welcomeSubtitle"_s);
    QFont bigger = line->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.2);
    line->setFont(bigger);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(line, 0, Qt::AlignHCenter);
    return header;
}

QWidget* WelcomeView::buildActions()
{
    const auto openWith = [this](RequestProtocol protocol, const QString& name) {
        return [this, protocol, name] { openNewRequest(m_state, protocol, name); };
    };
    const QList<QuickAction> actions {
        {u"quickActionHTTP"_s, tr("HTTP"), u"globe", SystemColor::blue, Shortcut::newRequest,
            [this] { m_state.openNewRequest(); }},
        {u"quickActionGraphQL"_s, tr("GraphQL"), u"arrow.triangle.branch", SystemColor::pink, {},
            openWith(RequestProtocol::graphql, tr("GraphQL Query"))},
        {u"quickActionWebSocket"_s, tr("WebSocket"), u"arrow.left.arrow.right", SystemColor::purple,
            {}, openWith(RequestProtocol::websocket, tr("WebSocket"))},
        {u"quickActionSSE"_s, tr("SSE"), u"antenna.radiowaves.left.and.right", SystemColor::orange,
            {}, openWith(RequestProtocol::sse, tr("SSE Stream"))},
        {u"quickActionPasteCurl"_s, tr("Paste cURL"), u"terminal.fill", SystemColor::teal,
            Shortcut::importCurl, [this] { Q_EMIT m_commands.importCurl(); }},
        {u"quickActionImport"_s, tr("Import"), u"square.and.arrow.down.fill", SystemColor::indigo,
            Shortcut::importPostmanCollection, [this] { Q_EMIT m_commands.importPostman(); }},
    };
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    constexpr int kColumns = 3;
    for (int i = 0; i < actions.size(); ++i) {
        const QuickAction& action = actions[i];
        auto* button = new QuickActionButton(action.title, action.symbol, action.color);
        button->setObjectName(action.objectName);
        if (action.shortcut)
            m_keyedButtons.append({button, *action.shortcut});
        connect(button, &QAbstractButton::clicked, this, action.action);
        layout->addWidget(button, i / kColumns, i % kColumns);
    }
    return grid;
}

QWidget* WelcomeView::buildTips()
{
    const QList<TipItem> tips {
        {u"paperplane.fill", tr("%1 to send"), Shortcut::sendRequest},
        {u"magnifyingglass", tr("%1 to find a saved request"), Shortcut::quickOpen},
        {u"square.and.arrow.down", tr("%1 to save to a collection"), Shortcut::saveToCollection},
        {u"sidebar.left", tr("%1 to show or hide the sidebar"), Shortcut::toggleSidebar},
        {u"curlybraces", tr("Write {{name}} to fill in a variable of the environment"), {}},
    };
    auto* box = new QWidget;
    box->setObjectName(u"welcomeTips"_s);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (const TipItem& tip : tips) {
        auto* row = new QWidget;
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->setSpacing(10);
        rowLayout->addWidget(new IconLabel(tip.icon));
        QLabel* label = secondaryLabel(tip.text);
        rowLayout->addWidget(label, 1);
        layout->addWidget(row);
        if (tip.command)
            m_keyTips.append({row, label, tip.text, *tip.command});
    }
    return box;
}

void WelcomeView::showShortcuts()
{
    for (const auto& [button, command] : m_keyedButtons)
        button->setShortcutText(m_shortcuts.text(command));
    // A tip about a key the user took away would only read " to send".
    for (const KeyTip& tip : m_keyTips) {
        const QString key = m_shortcuts.text(tip.command);
        tip.label->setText(tip.text.arg(key));
        tip.row->setVisible(!key.isEmpty());
    }
}

} // namespace mako
