#include "ui/response/responseview.h"

#include "execution/cookiemanager.h"
#include "model/reasonphrase.h"
#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "state/settings.h"
#include "ui/common/clearbutton.h"
#include "ui/common/colors.h"
#include "ui/common/filedialogs.h"
#include "ui/common/iconlabel.h"
#include "ui/common/metricpill.h"
#include "ui/common/resultchannel.h"
#include "ui/common/statusbadge.h"
#include "ui/common/symbolbutton.h"
#include "ui/response/bodypane.h"
#include "ui/response/emptyhint.h"
#include "ui/response/testresultspane.h"
#include "ui/response/timingpane.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QUtf8StringView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QWidget* makeSendingPage()
{
    auto* page = new QWidget;
    page->setObjectName(u"responseSending"_s);
    auto* progress = new QProgressBar;
    progress->setRange(0, 0);
    progress->setMaximumWidth(120);
    progress->setTextVisible(false);
    auto* caption = new QLabel(ResponseView::tr("Sending..."));
    caption->setObjectName(u"responseSendingText"_s);
    caption->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addWidget(progress, 0, Qt::AlignHCenter);
    layout->addWidget(caption, 0, Qt::AlignHCenter);
    layout->addStretch();
    return page;
}

QTreeWidget* makeNameValueList(const QString& objectName, const QString& label)
{
    auto* list = new QTreeWidget;
    list->setObjectName(objectName);
    list->setAccessibleName(label);
    list->setColumnCount(2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A long name is cut with an ellipsis (its tooltip has it whole) rather than run under
    // the next column.
    list->setTextElideMode(Qt::ElideRight);
    list->header()->setStretchLastSection(true);
    // The rows are selectable, so their text can be taken: one "name: value" line per row.
    auto* copy = new QShortcut(QKeySequence::Copy, list, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(copy, &QShortcut::activated, list, [list] {
        QStringList lines;
        for (const QTreeWidgetItem* item : list->selectedItems())
            lines.append(item->text(0) + u": "_s + item->text(1));
        if (!lines.isEmpty())
            QGuiApplication::clipboard()->setText(lines.join(u'\n'));
    });
    return list;
}

QString sameSiteText(QNetworkCookie::SameSite policy)
{
    switch (policy) {
    case QNetworkCookie::SameSite::Default:
        return {};
    case QNetworkCookie::SameSite::None:
        return u"None"_s;
    case QNetworkCookie::SameSite::Lax:
        return u"Lax"_s;
    case QNetworkCookie::SameSite::Strict:
        return u"Strict"_s;
    }
    return {};
}

// Every column but the last takes the width of its widest text and a gap, up to a limit that
// leaves room for the last; the last fills the rest.
void fitColumns(QTreeWidget* list)
{
    constexpr int kGap = 16;
    constexpr int kWidest = 360;
    for (int column = 0; column < list->columnCount() - 1; ++column) {
        list->resizeColumnToContents(column);
        list->header()->resizeSection(
            column, std::min(list->header()->sectionSize(column) + kGap, kWidest));
    }
}

void addNameValue(QTreeWidget* list, const QStringList& texts)
{
    auto* item = new QTreeWidgetItem(list, texts);
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    for (int column = 0; column < texts.size(); ++column)
        item->setToolTip(column, texts[column]);
}

QToolButton* makeTabButton(const QString& objectName, const QString& text)
{
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setText(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    return button;
}

} // namespace

ResponseView::ResponseView(
    AppState& state, Settings* settings, FileDialogs* fileDialogs, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_settings(settings)
    , m_fileDialogs(fileDialogs)
    , m_states(new QStackedWidget)
    , m_sending(makeSendingPage())
    , m_error(
          makeEmptyHint(u"exclamationmark.triangle.fill", {}, u"responseError"_s, SystemColor::red))
    , m_errorText(m_error->findChild<QLabel*>(u"responseErrorText"_s))
    , m_cancelled(
          makeEmptyHint(u"xmark.circle.fill", tr("Request cancelled"), u"responseCancelled"_s))
    , m_empty(makeEmptyHint(u"paperplane", tr("Response"), u"responseEmpty"_s))
{
    setObjectName(u"responseView"_s);
    m_content = buildContent();
    m_states->setObjectName(u"responseStates"_s);
    for (QWidget* page : {m_sending, m_error, m_cancelled, m_content, m_empty})
        m_states->addWidget(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_states);
    const TabStore& tabs = state.tabStore();
    connect(&tabs, &TabStore::tabChanged, this, [this](const QUuid& id) {
        if (m_state.tabStore().activeTabID() == id)
            refresh();
    });
    connect(&tabs, &TabStore::activeTabIDChanged, this, &ResponseView::refresh);
    if (m_settings)
        connect(m_settings, &Settings::valueChanged, this, [this](const QString& key) {
            if (key == SettingKeys::syntaxHighlighting.name
                || key == SettingKeys::editorShowLineNumbers.name)
                applyEditorPreferences();
        });
    applyEditorPreferences();
    refresh();
}

ResponseView::~ResponseView()
{
    for (const auto& work : {m_copyWork, m_saveWork}) {
        if (work)
            work->close();
    }
}

QWidget* ResponseView::buildStatusBar()
{
    auto* bar = new QWidget;
    bar->setObjectName(u"responseStatusBar"_s);
    m_statusCode = new QLabel;
    m_statusCode->setObjectName(u"responseStatusCode"_s);
    m_statusCode->setAccessibleDescription(tr("HTTP status code"));
    QFont codeFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    codeFont.setBold(true);
    m_statusCode->setFont(codeFont);
    m_reason = new QLabel;
    m_reason->setObjectName(u"responseReason"_s);
    m_reason->setForegroundRole(QPalette::PlaceholderText);
    QFont caption = m_reason->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.9);
    m_reason->setFont(caption);
    m_duration = new MetricPill(u"clock");
    m_duration->setObjectName(u"responseDuration"_s);
    m_duration->setToolTip(tr("Time the request took"));
    m_duration->setAccessibleDescription(m_duration->toolTip());
    m_size = new MetricPill(u"arrow.down");
    m_size->setObjectName(u"responseSize"_s);
    m_size->setToolTip(tr("Size of the response body"));
    m_size->setAccessibleDescription(m_size->toolTip());
    m_version = new MetricPill(u"network");
    m_version->setObjectName(u"responseHttpVersion"_s);
    m_version->setToolTip(tr("HTTP version the response came over"));
    m_version->setAccessibleDescription(m_version->toolTip());
    m_copy = makeSymbolButton(
        u"responseCopyButton"_s, u"doc.on.doc", tr("Copy"), tr("Copy response body"), bar);
    m_save = makeSymbolButton(u"responseSaveButton"_s, u"square.and.arrow.down",
        tr("Save Response..."), tr("Save Response..."), bar);
    m_save->setVisible(m_fileDialogs != nullptr);
    for (QToolButton* button : {m_save, m_copy}) {
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    connect(m_copy, &QToolButton::clicked, this, &ResponseView::copyBody);
    connect(m_save, &QToolButton::clicked, this, &ResponseView::saveBody);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(m_statusCode);
    layout->addWidget(m_reason);
    layout->addSpacing(8);
    layout->addWidget(m_duration);
    layout->addWidget(m_size);
    layout->addWidget(m_version);
    layout->addStretch();
    layout->addWidget(m_save);
    layout->addWidget(m_copy);
    return bar;
}

QWidget* ResponseView::buildTabRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(8, 0, 8, 0);
    m_tabButtons = new QButtonGroup(this);
    const QList<std::pair<QString, QString>> tabs {{u"responseTabBody"_s, tr("Body")},
        {u"responseTabHeaders"_s, tr("Headers")}, {u"responseTabCookies"_s, tr("Cookies")},
        {u"responseTabTiming"_s, tr("Timing")},
        {u"responseTabTests"_s, TestResultsPane::title(ScriptOutcome {})}};
    for (int i = 0; i < tabs.size(); ++i) {
        QToolButton* button = makeTabButton(tabs[i].first, tabs[i].second);
        m_tabButtons->addButton(button, i);
        layout->addWidget(button);
    }
    m_tabButtons->button(bodyTab)->setChecked(true);
    connect(m_tabButtons, &QButtonGroup::idClicked, this, &ResponseView::selectTab);
    layout->addStretch();
    m_bodyTools = new QWidget;
    m_bodyTools->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* tools = new QHBoxLayout(m_bodyTools);
    tools->setContentsMargins(0, 0, 0, 0);
    m_search = new QLineEdit;
    m_search->setObjectName(u"responseSearchField"_s);
    m_search->setPlaceholderText(tr("Search"));
    m_search->setAccessibleName(tr("Search"));
    m_search->setFixedWidth(120);
    enableClearButton(m_search);
    m_raw = new QCheckBox(tr("Raw"));
    m_raw->setObjectName(u"responseRawSwitch"_s);
    // Only the box and its label take clicks, so the switch must not stretch past them.
    m_raw->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    tools->addWidget(new IconLabel(u"magnifyingglass"));
    tools->addWidget(m_search);
    tools->addWidget(m_raw);
    layout->addWidget(m_bodyTools);
    connect(m_search, &QLineEdit::textChanged, this,
        [this](const QString& text) { m_body->setQuery(text); });
    connect(m_raw, &QCheckBox::toggled, this, [this](bool raw) { m_body->setRaw(raw); });
    return row;
}

QWidget* ResponseView::buildContent()
{
    auto* content = new QWidget;
    content->setObjectName(u"responseContent"_s);
    m_body = new BodyPane;
    m_headers = makeNameValueList(u"responseHeaders"_s, tr("Headers"));
    m_cookieList = makeNameValueList(u"responseCookieList"_s, tr("Cookies"));
    m_cookieList->setHeaderLabels(
        {tr("Name"), tr("Value"), tr("Domain"), tr("Path"), tr("Expires"), tr("Flags")});
    m_cookieList->setHeaderHidden(false);
    m_cookies = new QStackedWidget;
    m_cookies->setObjectName(u"responseCookies"_s);
    m_cookies->addWidget(makeEmptyHint(u"tray", tr("No cookies"), u"responseNoCookies"_s));
    m_cookies->addWidget(m_cookieList);
    auto* manageCookies = new QPushButton(tr("Manage Cookies..."));
    manageCookies->setObjectName(u"manageCookiesButton"_s);
    manageCookies->setAccessibleName(tr("Manage Cookies"));
    connect(manageCookies, &QPushButton::clicked, this, &ResponseView::manageCookiesRequested);
    auto* cookiesPage = new QWidget;
    auto* cookiesLayout = new QVBoxLayout(cookiesPage);
    cookiesLayout->setContentsMargins(0, 0, 6, 4);
    cookiesLayout->addWidget(m_cookies, 1);
    cookiesLayout->addWidget(manageCookies, 0, Qt::AlignRight);
    m_timing = new TimingPane(m_state);
    m_tests = new TestResultsPane;
    m_tabs = new QStackedWidget;
    m_tabs->setObjectName(u"responseTabs"_s);
    for (QWidget* page : {static_cast<QWidget*>(m_body), static_cast<QWidget*>(m_headers),
             cookiesPage, static_cast<QWidget*>(m_timing), static_cast<QWidget*>(m_tests)})
        m_tabs->addWidget(page);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(buildStatusBar());
    layout->addWidget(buildTabRow());
    layout->addWidget(m_tabs, 1);
    return content;
}

void ResponseView::selectTab(int tab)
{
    const bool changed = m_tabs->currentIndex() != tab;
    m_tabs->setCurrentIndex(tab);
    if (changed && isVisible()) {
        // The new tab fades in over 0.15 s, easing in and out; the effect goes with the fade.
        QWidget* page = m_tabs->currentWidget();
        auto* effect = new QGraphicsOpacityEffect(page);
        page->setGraphicsEffect(effect);
        auto* fade = new QPropertyAnimation(effect, "opacity", page);
        fade->setDuration(150);
        fade->setEasingCurve(QEasingCurve::InOutQuad);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        connect(fade, &QPropertyAnimation::finished, page,
            [page] { page->setGraphicsEffect(nullptr); });
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    }
    m_tabButtons->button(tab)->setChecked(true);
    m_bodyTools->setVisible(tab == bodyTab);
}

void ResponseView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_refreshPending)
        refresh();
}

void ResponseView::refresh()
{
    // The HTTP and the GraphQL screen keep a viewer each, and both follow the active tab: the
    // one out of sight catches up when it is shown rather than make a large body's text twice.
    if (!isVisible()) {
        m_refreshPending = true;
        return;
    }
    m_refreshPending = false;
    const RequestTab* tab = m_state.tabStore().activeTab();
    const APIResponse* response = tab && tab->response ? &*tab->response : nullptr;
    if (tab && tab->isLoading) {
        m_states->setCurrentWidget(m_sending);
    } else if (tab && tab->error == RequestViewModel::kCancelledMessage) {
        m_states->setCurrentWidget(m_cancelled);
    } else if (tab && tab->error) {
        m_errorText->setText(*tab->error);
        m_states->setCurrentWidget(m_error);
    } else if (response) {
        m_states->setCurrentWidget(m_content);
    } else {
        m_states->setCurrentWidget(m_empty);
    }
    if (response)
        showResponse(*response);
    else
        m_body->showResponse(nullptr);
    m_timing->refresh(response);
    const ScriptOutcome scripts = tab ? tab->scripts : ScriptOutcome {};
    m_tests->showOutcome(scripts);
    m_tabButtons->button(testsTab)->setText(TestResultsPane::title(scripts));
}

void ResponseView::showResponse(const APIResponse& response)
{
    m_statusCode->setText(QString::number(response.statusCode));
    QPalette palette = m_statusCode->palette();
    palette.setColor(
        QPalette::WindowText, systemColor(statusColor(response.statusCode), this->palette()));
    m_statusCode->setPalette(palette);
    m_reason->setText(reasonPhrase(response.statusCode));
    m_duration->setValue(durationText(response.duration));
    m_size->setValue(byteCountText(response.size));
    // A response read back from an older record has no version to show.
    m_version->setValue(response.httpVersion);
    m_version->setVisible(!response.httpVersion.isEmpty());
    m_body->showResponse(&response);
    if (response.id == m_shownResponse)
        return;
    m_shownResponse = response.id;
    showHeaders(response);
    showCookies(response);
}

void ResponseView::showHeaders(const APIResponse& response)
{
    // The map keeps its names in plain, case-sensitive order: upper case before lower case.
    m_headers->clear();
    for (auto it = response.headers.cbegin(); it != response.headers.cend(); ++it)
        addNameValue(m_headers, {it.key(), it.value()});
    fitColumns(m_headers);
}

void ResponseView::showCookies(const APIResponse& response)
{
    // Each cookie was judged against the URL requested at the hop that set it, so neither the
    // URL as typed nor the final reply alone decides what is listed.
    m_cookieList->clear();
    const QLocale locale;
    for (const QNetworkCookie& cookie : CookieManager::cookiesSet(response.setCookies)) {
        QStringList flags;
        if (cookie.isSecure())
            flags.append(u"Secure"_s);
        if (cookie.isHttpOnly())
            flags.append(u"HttpOnly"_s);
        if (const QString sameSite = sameSiteText(cookie.sameSitePolicy()); !sameSite.isEmpty())
            flags.append(u"SameSite="_s + sameSite);
        const QString expires = cookie.isSessionCookie()
            ? tr("Session")
            : locale.toString(cookie.expirationDate().toLocalTime(), QLocale::ShortFormat);
        addNameValue(m_cookieList,
            {QString::fromUtf8(cookie.name()), QString::fromUtf8(cookie.value()), cookie.domain(),
                cookie.path(), expires, flags.join(u", "_s)});
    }
    fitColumns(m_cookieList);
    m_cookies->setCurrentIndex(m_cookieList->topLevelItemCount() == 0 ? 0 : 1);
}

void ResponseView::copyBody()
{
    const RequestTab* tab = m_state.tabStore().activeTab();
    if (!tab || !tab->response)
        return;
    if (m_copyWork)
        m_copyWork->close();
    // Checking a large body takes a moment, so it happens on the pool.
    m_copyWork = startWork(this, [body = tab->response->body](auto channel) {
        const QByteArray text
            = QUtf8StringView(body).isValidUtf8() ? body : QByteArray(kUndecodableBodyText);
        channel->post(channel, [text] {
            QClipboard* clipboard = QGuiApplication::clipboard();
            clipboard->clear();
            auto* data = new QMimeData;
            data->setData(u"text/plain;charset=utf-8"_s, text);
            data->setData(u"text/plain"_s, text);
            clipboard->setMimeData(data);
        });
    });
}

void ResponseView::saveBody()
{
    const RequestTab* tab = m_state.tabStore().activeTab();
    if (!m_fileDialogs || !tab || !tab->response)
        return;
    const QByteArray body = tab->response->body;
    m_fileDialogs->saveFile(
        window(), tr("Save Response"), u"response"_s, [this, body](const QString& path) {
            if (m_saveWork)
                m_saveWork->close();
            m_saveWork = startWork(this, [this, body, path](auto channel) {
                QSaveFile file(path);
                if (file.open(QIODevice::WriteOnly) && file.write(body) == body.size()
                    && file.commit())
                    return;
                // A save that did not happen must not look like one that did.
                channel->post(channel, [this, path, reason = file.errorString()] {
                    m_state.setAlertMessage(
                        tr("Could not save the response to “%1”: %2").arg(path, reason));
                });
            });
        });
}

void ResponseView::applyEditorPreferences()
{
    m_body->setHighlighting(m_settings && m_settings->value(SettingKeys::syntaxHighlighting));
    m_body->setLineNumbersVisible(
        !m_settings || m_settings->value(SettingKeys::editorShowLineNumbers));
}

} // namespace mako
