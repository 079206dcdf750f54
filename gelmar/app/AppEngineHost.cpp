// The program's engine host. The calculation runs on the user-interface
// thread, so the Esc check is also where the windows get their events: it
// pumps them at most every 50 ms, and an application event filter latches
// the Esc key (and keeps it from the progress window, which would close).
#include "gelmar/app/AppEngineHost.h"

#include "platform/ui/Controls.h"
#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>

namespace gelmar {

CProgressCtrl* g_activeProgress = nullptr;

namespace {

QElapsedTimer& Clock()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock;
}

class EscFilter : public QObject {
  public:
    explicit EscFilter(AppEngineHost* host) : m_host(host) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (m_host->running && e->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            m_host->escLatched = true;
            return true;
        }
        return QObject::eventFilter(watched, e);
    }

  private:
    AppEngineHost* m_host;
};

} // namespace

AppEngineHost::AppEngineHost() = default;

AppEngineHost::~AppEngineHost()
{
    delete m_filter;
}

MessageAnswer AppEngineHost::MessageBox(std::string_view text, MessageStyle style)
{
    const UINT type = style == MessageStyle::YesNo      ? MB_YESNO
                      : style == MessageStyle::OkCancel ? MB_OKCANCEL
                                                        : MB_OK;
    switch (AfxMessageBox(std::string(text), type)) {
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    case IDCANCEL:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

void AppEngineHost::BeginRun()
{
    if (!m_filter && QCoreApplication::instance()) {
        m_filter = new EscFilter(this);
        QCoreApplication::instance()->installEventFilter(m_filter);
    }
    escLatched = false;
    m_lastPumpMs = -1;
}

bool AppEngineHost::EscPressed()
{
    const long long now = Clock().elapsed();
    if (m_lastPumpMs < 0 || now - m_lastPumpMs >= 50) {
        m_lastPumpMs = now;
        QCoreApplication::processEvents();
    }
    return escLatched;
}

void AppEngineHost::StepProgress()
{
    if (g_activeProgress) {
        g_activeProgress->StepIt();
        g_activeProgress->UpdateWindow();
    }
}

AppEngineHost& TheAppHost()
{
    static AppEngineHost host;
    return host;
}

} // namespace gelmar
