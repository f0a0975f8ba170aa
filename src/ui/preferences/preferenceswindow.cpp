#include "ui/preferences/preferenceswindow.h"

#include "ui/common/icons.h"
#include "ui/preferences/certificatestab.h"
#include "ui/preferences/datatab.h"
#include "ui/preferences/editortab.h"
#include "ui/preferences/generaltab.h"
#include "ui/preferences/networktab.h"
#include "ui/preferences/proxytab.h"
#include "ui/preferences/shortcutstab.h"

#include <QKeySequence>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// A tab taller than the window (a large font, a long translation) scrolls instead of squeezing
// its rows.
QScrollArea* scrolling(QWidget* page)
{
    auto* area = new QScrollArea;
    area->setObjectName(page->objectName() + u"Scroll"_s);
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return area;
}

} // namespace

PreferencesWindow::PreferencesWindow(const Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_tabs(new QTabWidget)
{
    setObjectName(u"preferencesWindow"_s);
    setWindowTitle(tr("Preferences"));
    m_tabs->setObjectName(u"preferencesTabs"_s);
    m_tabs->setDocumentMode(true);
    m_tabs->addTab(
        scrolling(new GeneralTab(services.settings)), icons::icon(u"gearshape"), tr("General"));
    m_tabs->addTab(
        scrolling(new EditorTab(services.settings)), icons::icon(u"doc.plaintext"), tr("Editor"));
    m_tabs->addTab(
        scrolling(new NetworkTab(services.settings)), icons::icon(u"network"), tr("Network"));
    m_tabs->addTab(scrolling(new ProxyTab(services.settings, services.proxyPassword)),
        icons::icon(u"shield.lefthalf.filled"), tr("Proxy"));
    m_tabs->addTab(scrolling(new CertificatesTab(
                       services.settings, services.certificatePassphrases, services.dialogs)),
        icons::icon(u"lock.shield"), tr("Certificates"));
    m_tabs->addTab(scrolling(new DataTab(
                       services.settings, services.state, services.persistence, services.dialogs)),
        icons::icon(u"externaldrive"), tr("Data"));
    m_tabs->addTab(
        scrolling(new ShortcutsTab(services.shortcuts)), icons::icon(u"keyboard"), tr("Shortcuts"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    // Seven tabs, or a longer translation, can be wider than the usual size: the window grows to
    // show every tab instead of hiding some behind scroll arrows.
    resize(std::max(kSize.width(), m_tabs->tabBar()->sizeHint().width()), kSize.height());

    // Like any settings window: Escape and the platform's close key put it away.
    for (const QKeySequence& key :
        {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

} // namespace mako
