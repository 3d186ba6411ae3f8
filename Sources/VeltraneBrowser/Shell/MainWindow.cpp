#include "Shell/MainWindow.h"

#include "Base/AppSettings.h"
#include "Shell/WorkspaceView.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {
const QString widthKey = QStringLiteral("vt.windowWidth");
const QString heightKey = QStringLiteral("vt.windowHeight");
const QString maximizedKey = QStringLiteral("vt.windowMaximized");
}   // namespace

MainWindow::Frame MainWindow::frame(const QSize &available, const std::optional<QSize> &stored)
{
    Frame f;
    f.minimum = minimumFrame.boundedTo(available);
    const QSize wanted = stored.value_or(defaultSize);
    f.size = wanted.expandedTo(f.minimum).boundedTo(available.expandedTo(f.minimum));
    return f;
}

MainWindow::MainWindow(AppState *state, AppSettings *settings, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_workspace(new WorkspaceView(state, settings, this))
{
    setWindowTitle(QStringLiteral("Glimora"));
    setCentralWidget(m_workspace);
    placeOnScreen();
}

void MainWindow::placeOnScreen()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize available = s ? s->availableGeometry().size() : defaultSize;
    std::optional<QSize> stored;
    const int w = m_settings->intValue(widthKey, 0, [](int v) { return v > 0; });
    const int h = m_settings->intValue(heightKey, 0, [](int v) { return v > 0; });
    if (w > 0 && h > 0)
        stored = QSize(w, h);
    const Frame f = frame(available, stored);
    setMinimumSize(f.minimum);
    resize(f.size);
    if (s)
        move(s->availableGeometry().topLeft()
             + QPoint((available.width() - f.size.width()) / 2, (available.height() - f.size.height()) / 2));
    if (m_settings->boolValue(maximizedKey, false))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::saveFrame()
{
    const bool maximized = isMaximized() || isFullScreen();
    const QSize size = maximized ? normalGeometry().size() : this->size();
    if (size.isValid() && !size.isEmpty()) {
        m_settings->setValue(widthKey, size.width());
        m_settings->setValue(heightKey, size.height());
    }
    m_settings->setValue(maximizedKey, maximized);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveFrame();
    event->accept();
}
