#include "ui/editor/urlbar.h"

#include "execution/cookiejar.h"
#include "execution/networkerror.h"
#include "execution/networkservice.h"
#include "execution/outgoingrequest.h"
#include "execution/variables.h"
#include "state/requestviewmodel.h"
#include "ui/common/icons.h"
#include "ui/editor/custommethodsheet.h"
#include "ui/editor/variablespans.h"

#include <QAction>
#include <QActionGroup>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

UrlBar::UrlBar(
    RequestViewModel& viewModel, UrlField::EnvironmentSource environment, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_environment(environment)
    , m_methods(new QActionGroup(this))
    , m_url(new UrlField(std::move(environment)))
    , m_send(new QPushButton)
    , m_preview(new QLabel)
    , m_cookieLine(new QLabel)
    , m_jar(NetworkService::shared().engine().cookies())
{
    setObjectName(u"urlBar"_s);
    m_method = buildMethodButton();
    m_send->setObjectName(u"sendButton"_s);
    m_send->setDefault(false);
    m_send->setAutoDefault(false);
    connect(m_send, &QPushButton::clicked, this, [this] {
        if (m_viewModel.isLoading())
            Q_EMIT cancelRequested();
        else
            Q_EMIT sendRequested();
    });
    connect(m_url, &QLineEdit::returnPressed, this, &UrlBar::sendRequested);
    // Any change, not only typing: choosing a recent URL sets the text without an edit.
    connect(m_url, &QLineEdit::textChanged, this, [this](const QString& url) {
        if (m_syncing)
            return;
        APIRequest request = m_viewModel.request();
        request.url = url;
        m_syncing = true;
        m_viewModel.setRequest(request);
        m_syncing = false;
    });

    m_preview->setObjectName(u"urlPreview"_s);
    m_preview->setAccessibleName(tr("URL as sent"));
    m_preview->setForegroundRole(QPalette::PlaceholderText);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF() * 0.85);
    m_preview->setFont(mono);
    m_preview->setMinimumWidth(1);
    m_cookieLine->setObjectName(u"urlCookies"_s);
    m_cookieLine->setAccessibleName(tr("Cookies sent"));
    m_cookieLine->setForegroundRole(QPalette::PlaceholderText);
    m_cookieLine->setFont(mono);
    m_cookieLine->hide();

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(m_method);
    row->addWidget(m_url, 1);
    row->addWidget(m_send);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 4);
    layout->setSpacing(3);
    layout->addLayout(row);
    auto* previewRow = new QHBoxLayout;
    previewRow->setSpacing(12);
    previewRow->addWidget(m_preview, 1);
    previewRow->addWidget(m_cookieLine);
    layout->addLayout(previewRow);
    setTabOrder(m_method, m_url);
    setTabOrder(m_url, m_send);

    connect(&m_viewModel, &RequestViewModel::requestChanged, this, &UrlBar::handleRequestChanged);
    connect(&m_viewModel, &RequestViewModel::isLoadingChanged, this, &UrlBar::handleLoadingChanged);
    // A reply that sets or drops cookies changes what the next send carries; the jar tells
    // from the network thread.
    m_jarHandler = m_jar.addChangeHandler(
        [this] { QMetaObject::invokeMethod(this, &UrlBar::showPreview, Qt::QueuedConnection); });
    handleRequestChanged();
    handleLoadingChanged();
}

QToolButton* UrlBar::buildMethodButton()
{
    auto* button = new QToolButton;
    button->setObjectName(u"methodButton"_s);
    button->setAccessibleName(tr("Method"));
    button->setAccessibleDescription(tr("Opens the list of HTTP methods to choose from"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(90);
    QFont bold = button->font();
    bold.setWeight(QFont::DemiBold);
    button->setFont(bold);
    auto* menu = new QMenu(button);
    menu->setObjectName(u"methodMenu"_s);
    for (HTTPMethod method : allCases<HTTPMethod>()) {
        QAction* action = menu->addAction(rawValue(method));
        action->setObjectName(u"method"_s + rawValue(method));
        action->setCheckable(true);
        m_methods->addAction(action);
        connect(action, &QAction::triggered, this, [this, method] { chooseMethod(method); });
    }
    menu->addSeparator();
    m_customMethod = menu->addAction(tr("Custom..."));
    m_customMethod->setObjectName(u"methodCustom"_s);
    m_customMethod->setCheckable(true);
    // In the group, so that it is marked the way the seven are.
    m_methods->addAction(m_customMethod);
    connect(m_customMethod, &QAction::triggered, this, &UrlBar::askForCustomMethod);
    button->setMenu(menu);
    return button;
}

void UrlBar::chooseMethod(HTTPMethod method)
{
    APIRequest request = m_viewModel.request();
    request.method = method;
    request.customMethod.clear();
    m_viewModel.setRequest(request);
}

void UrlBar::askForCustomMethod()
{
    // The tick stays where the request's method is until a name is chosen.
    handleRequestChanged();
    auto* sheet = new CustomMethodSheet(m_viewModel.request().customMethod, window());
    connect(sheet, &CustomMethodSheet::methodChosen, this, [this](const QString& name) {
        APIRequest request = m_viewModel.request();
        if (setMethodName(request, name))
            m_viewModel.setRequest(request);
    });
    sheet->open();
}

void UrlBar::handleRequestChanged()
{
    const APIRequest& request = m_viewModel.request();
    m_method->setText(methodName(request));
    const QList<QAction*> actions = m_methods->actions();
    for (int index = 0; index < int(allCases<HTTPMethod>().size()); ++index)
        actions[index]->setChecked(allCases<HTTPMethod>()[index] == request.method);
    m_customMethod->setChecked(request.method == HTTPMethod::custom);
    if (!m_syncing && m_url->text() != request.url) {
        m_syncing = true;
        m_url->setText(request.url);
        m_syncing = false;
    }
    showPreview();
}

void UrlBar::handleLoadingChanged()
{
    const bool loading = m_viewModel.isLoading();
    m_send->setIcon(icons::icon(loading ? u"xmark" : u"paperplane.fill"));
    m_send->setText(loading ? tr("Cancel") : tr("Send"));
    m_send->setToolTip(loading ? tr("Cancel the request") : tr("Send the request"));
    m_send->setAccessibleName(m_send->text());
}

UrlBar::~UrlBar()
{
    m_jar.removeChangeHandler(m_jarHandler);
}

void UrlBar::refreshVariables()
{
    m_url->refreshVariables();
    showPreview();
}

void UrlBar::showPreview()
{
    const APIRequest& request = m_viewModel.request();
    if (request.url.isEmpty()) {
        m_preview->clear();
        m_preview->hide();
        showCookies({});
        return;
    }
    // Built the way sending builds it, so what is read here is what goes out, or the reason
    // the send would give for sending nothing; secrets show only as the mask.
    const std::optional<APIEnvironment> environment = m_environment();
    const SecretStandIns standIns = withSecretStandIns(environment);
    const QString shownText = substituteVariables(request.url, standIns.environment);
    const std::optional<QUrl> shown
        = buildURL(shownText, urlQueryRows(request), standIns.environment);
    const QString text = standIns.masked(shown && !shown->scheme().isEmpty()
            ? shown->toString(QUrl::FullyEncoded)
            : NetworkError::invalidURL(shownText, placeholdersIn(shownText)).errorDescription());
    const std::optional<QUrl> url = buildURL(
        substituteVariables(request.url, environment), urlQueryRows(request), environment);
    m_preview->setText(
        m_preview->fontMetrics().elidedText(text, Qt::ElideMiddle, qMax(200, width() - 24)));
    m_preview->setToolTip(text);
    m_preview->show();
    showCookies(url && !url->scheme().isEmpty() ? m_jar.forUrl(*url) : QList<QNetworkCookie>());
}

void UrlBar::showCookies(const QList<QNetworkCookie>& cookies)
{
    QStringList names;
    QStringList pairs;
    for (const QNetworkCookie& cookie : cookies) {
        names.append(QString::fromUtf8(cookie.name()));
        pairs.append(QString::fromUtf8(cookie.name() + '=' + cookie.value()));
    }
    m_cookieLine->setVisible(!cookies.isEmpty());
    m_cookieLine->setText(cookies.isEmpty() ? QString()
            : cookies.size() <= 3           ? tr("Cookies: %1").arg(names.join(u", "_s))
                                            : tr("Cookies: %n", nullptr, int(cookies.size())));
    m_cookieLine->setToolTip(pairs.join(u'\n'));
}

} // namespace mako
