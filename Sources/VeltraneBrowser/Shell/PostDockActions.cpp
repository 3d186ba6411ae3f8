#include "Shell/PostDockActions.h"

#include "Theme/Design.h"
#include "Theme/Spinner.h"
#include "Theme/PlainText.h"
#include "Theme/WorkspaceButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A thin determinate bar in the accent colour.
class Bar : public QWidget {
public:
    explicit Bar(QWidget *parent)
        : QWidget(parent)
    {
        setFixedHeight(4);
    }
    void setValue(double value)
    {
        m_value = qBound(0.0, value, 1.0);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF full = QRectF(rect());
        p.fillPath(Design::rounded(full, 2), Design::surface());
        if (m_value > 0)
            p.fillPath(Design::rounded(QRectF(full.left(), full.top(), full.width() * m_value, full.height()), 2),
                       Design::accent());
    }

private:
    double m_value = 0;
};

}   // namespace

PostDockActions::PostDockActions(QWidget *parent)
    : QWidget(parent)
{
    m_forms = new QStackedLayout(this);
    m_forms->setContentsMargins(0, 0, 0, 0);

    m_progressForm = new QWidget(this);
    auto *progress = new QVBoxLayout(m_progressForm);
    progress->setContentsMargins(0, 0, 0, 0);
    progress->setSpacing(8);
    auto *lineRow = new QHBoxLayout;
    lineRow->setSpacing(8);
    m_spinner = new Spinner(16, 11, 1.8, &Design::secondary, m_progressForm);
    m_spinner->setHideWhenStill(false);
    m_line = new QLabel(m_progressForm);
    m_line->setTextFormat(Qt::PlainText);
    m_line->setFont(Design::font(11, QFont::Medium));
    QPalette linePalette = m_line->palette();
    linePalette.setColor(QPalette::WindowText, Design::secondary());
    m_line->setPalette(linePalette);
    m_line->setMinimumWidth(1);
    lineRow->addWidget(m_spinner);
    lineRow->addWidget(m_line, 1);
    progress->addLayout(lineRow);
    m_bar = new Bar(m_progressForm);
    progress->addWidget(m_bar);
    m_stop = new WorkspaceButton(QString(), {}, m_progressForm);
    m_stop->setSymbol(QStringLiteral("stop.fill"));
    m_stop->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    progress->addWidget(m_stop);
    m_forms->addWidget(m_progressForm);

    m_idleForm = new QWidget(this);
    auto *idle = new QHBoxLayout(m_idleForm);
    idle->setContentsMargins(0, 0, 0, 0);
    idle->setSpacing(8);
    m_stopLoading = new WorkspaceButton(QString(), {.strong = true}, m_idleForm);
    m_stopLoading->setSymbol(QStringLiteral("stop.fill"));
    m_load = new WorkspaceButton(QString(), {.strong = true}, m_idleForm);
    m_load->setSymbol(QStringLiteral("plus"));
    m_loadProminent = new WorkspaceButton(QString(), {.prominent = true, .strong = true}, m_idleForm);
    m_loadProminent->setSymbol(QStringLiteral("plus"));
    m_scan = new WorkspaceButton(QString(), {.prominent = true}, m_idleForm);
    m_scan->setSymbol(QStringLiteral("magnifyingglass"));
    m_signIn = new WorkspaceButton(QString(), {.prominent = true}, m_idleForm);
    for (WorkspaceButton *b : {m_stopLoading, m_load, m_loadProminent, m_scan, m_signIn})
        idle->addWidget(b);
    m_forms->addWidget(m_idleForm);

    connect(m_stop, &QAbstractButton::clicked, this, &PostDockActions::stopRequested);
    connect(m_stopLoading, &QAbstractButton::clicked, this, &PostDockActions::stopLoadingRequested);
    connect(m_load, &QAbstractButton::clicked, this, &PostDockActions::loadRequested);
    connect(m_loadProminent, &QAbstractButton::clicked, this, &PostDockActions::loadRequested);
    connect(m_scan, &QAbstractButton::clicked, this, &PostDockActions::scanRequested);
    connect(m_signIn, &QAbstractButton::clicked, this, &PostDockActions::signInRequested);

    setState({}, QString(), std::nullopt);
}

WorkspaceButton *PostDockActions::loadButton() const
{
    if (m_state.stopLoading)
        return m_stopLoading;
    return m_state.loadProminent ? m_loadProminent : m_load;
}

QString PostDockActions::scanLine() const
{
    return m_line->text();
}

void PostDockActions::setState(const PostDockModel::Actions &actions, const QString &scanLine,
                               std::optional<double> fraction)
{
    m_state = actions;
    m_forms->setCurrentWidget(actions.progress ? m_progressForm : m_idleForm);
    m_spinner->setRunning(actions.progress);

    m_line->setText(scanLine);
    m_bar->setVisible(fraction.has_value());
    if (fraction)
        static_cast<Bar *>(m_bar)->setValue(*fraction);
    m_stop->setText(actions.stopText);
    m_stop->setEnabled(actions.stopEnabled);

    WorkspaceButton *load = loadButton();
    for (WorkspaceButton *b : {m_stopLoading, m_load, m_loadProminent})
        b->setVisible(b == load);
    load->setText(actions.loadText);
    load->setToolTip(PlainText::toolTip(actions.loadTip));
    load->setEnabled(actions.loadEnabled);
    // Across the row when it stands alone, at its natural width beside another button.
    load->setSizePolicy(actions.loadFullWidth ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_scan->setVisible(actions.showScan);
    m_scan->setText(actions.scanText);
    m_scan->setToolTip(PlainText::toolTip(actions.scanTip));
    m_scan->setEnabled(actions.scanEnabled);
    m_scan->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_signIn->setVisible(actions.showSignIn);
    m_signIn->setText(actions.signInText);
    m_signIn->setEnabled(actions.signInEnabled);
    m_signIn->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    updateGeometry();
}
