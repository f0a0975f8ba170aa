#include "ui/screens/ssescreen.h"

#include "execution/sseclient.h"
#include "ui/screens/sseeventmodel.h"
#include "ui/screens/transcriptpane.h"

using namespace Qt::StringLiterals;

namespace mako {

SSEScreen::SSEScreen(AppState& state, Commands& commands, QWidget* parent)
    : StreamScreen(state, commands, RequestProtocol::sse, u"antenna.radiowaves.left.and.right",
        tr("Server-Sent Events"), parent)
    , m_model(new SSEEventModel(this))
    , m_events(new TranscriptPane(m_model, true, tr("Filter events")))
{
    setObjectName(u"sseScreen"_s);
    finishSetUp(m_model, m_events);
}

SSEClient* SSEScreen::client() const
{
    return m_model->client();
}

StreamClient* SSEScreen::makeClient()
{
    return new SSEClient(NetworkService::shared(), this);
}

void SSEScreen::showInList(StreamClient* client)
{
    // Every client of this screen is one it made.
    m_model->setClient(static_cast<SSEClient*>(client));
}

QString SSEScreen::countText(int rows) const
{
    return tr("%n event(s)", nullptr, rows);
}

} // namespace mako
