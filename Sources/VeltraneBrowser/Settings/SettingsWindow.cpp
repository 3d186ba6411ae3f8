#include "Settings/SettingsWindow.h"

#include "Dashboard/ScaledFont.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Settings/AIPane.h"
#include "Settings/AccountPane.h"
#include "Settings/BasicPane.h"
#include "Settings/DesktopPrompts.h"
#include "Settings/HistoryPane.h"
#include "Settings/SettingsButton.h"
#include "Theme/Design.h"
#include "Theme/PlainText.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

SettingsWindow::SettingsWindow(SpamModel *model, SettingsTab tab, QWidget *parent, SettingsPrompts *prompts)
    : QDialog(parent)
    , m_model(model)
    , m_prompts(prompts ? prompts : &DesktopPrompts::shared())
    , m_tab(tab)
{
    setWindowTitle(tr("Preferences"));
    setFixedSize(860, 640);
    setModal(true);
    auto *root = new QHBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto *sidebar = new QWidget;
    sidebar->setFixedWidth(216);
    sidebar->setAutoFillBackground(true);
    sidebar->setBackgroundRole(QPalette::AlternateBase);
    auto *sl = new QVBoxLayout(sidebar);
    sl->setContentsMargins(10, 0, 10, 0);
    sl->setSpacing(4);
    auto *brand = new QLabel(QStringLiteral("Glimora"));
    QFont bf = brand->font();
    bf.setBold(true);
    bf = ScaledFont::of(bf, 1.1);
    brand->setFont(bf);
    auto *prefs = new QLabel(tr("Preferences"));
    prefs->setForegroundRole(QPalette::PlaceholderText);
    auto *head = new QVBoxLayout;
    head->setContentsMargins(14, 26, 14, 24);
    head->setSpacing(3);
    head->addWidget(brand);
    head->addWidget(prefs);
    sl->addLayout(head);
    for (const SettingsTab t : SettingsTab::allCases()) {
        auto *row = new QPushButton;
        row->setCheckable(true);
        row->setAutoDefault(false);
        row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        row->setFixedHeight(56);
        row->setStyleSheet(QStringLiteral(
            "QPushButton { border: 1px solid transparent; border-radius: 12px; background: transparent; }"
            "QPushButton:checked { background: palette(base); border-color: palette(mid); }"));
        auto *rl = new QHBoxLayout(row);
        rl->setContentsMargins(14, 8, 14, 8);
        rl->setSpacing(12);
        const QIcon icon = QIcon::fromTheme(t.iconName());
        if (!icon.isNull()) {
            auto *glyph = new QLabel;
            glyph->setPixmap(icon.pixmap(18, 18));
            glyph->setAttribute(Qt::WA_TransparentForMouseEvents);
            rl->addWidget(glyph);
        }
        auto *texts = new QVBoxLayout;
        texts->setSpacing(3);
        auto *name = new QLabel(t.label());
        name->setTextFormat(Qt::PlainText);
        name->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto *status = new QLabel;
        status->setTextFormat(Qt::PlainText);
        status->setAttribute(Qt::WA_TransparentForMouseEvents);
        QFont sf = status->font();
        sf = ScaledFont::of(sf, 0.85);
        status->setFont(sf);
        texts->addWidget(name);
        texts->addWidget(status);
        rl->addLayout(texts, 1);
        connect(row, &QPushButton::clicked, this, [this, t] { setTab(t); });
        m_rows.append(row);
        m_names.append(name);
        m_statuses.append(status);
        sl->addWidget(row);
    }
    sl->addStretch(1);
    root->addWidget(sidebar);

    auto *line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    root->addWidget(line);

    auto *content = new QWidget;
    auto *cl = new QVBoxLayout(content);
    cl->setContentsMargins(0, 0, 0, 0);
    cl->setSpacing(0);
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->verticalScrollBar()->setStyleSheet(Design::scrollBarStyle());
    auto *inner = new QWidget;
    auto *il = new QVBoxLayout(inner);
    il->setContentsMargins(32, 30, 32, 24);
    il->setSpacing(22);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(6);
    m_title = new QLabel;
    QFont tf = m_title->font();
    tf = ScaledFont::of(tf, 1.9);
    tf.setWeight(QFont::DemiBold);
    m_title->setFont(tf);
    m_subtitle = new QLabel;
    m_subtitle->setForegroundRole(QPalette::PlaceholderText);
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);
    il->addLayout(titles);
    m_paneHolder = new QVBoxLayout;
    il->addLayout(m_paneHolder);
    il->addStretch(1);
    scroll->setWidget(inner);
    cl->addWidget(scroll, 1);
    auto *footerLine = new QFrame;
    footerLine->setFrameShape(QFrame::HLine);
    footerLine->setFrameShadow(QFrame::Plain);
    footerLine->setForegroundRole(QPalette::Mid);
    cl->addWidget(footerLine);
    auto *footer = new QWidget;
    auto *fl = new QHBoxLayout(footer);
    fl->setContentsMargins(32, 16, 32, 16);
    m_saveNote = new QLabel(tr("✓ Settings save automatically"));
    m_saveNote->setForegroundRole(QPalette::PlaceholderText);
    fl->addWidget(m_saveNote);
    fl->addStretch(1);
    auto *done = new SettingsButton(tr("Done"), SettingsButton::Kind::primary);
    done->setDefault(true);
    done->setAutoDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    fl->addWidget(done);
    cl->addWidget(footer);
    root->addWidget(content, 1);

    if (model) {
        for (auto signal : {&HistoryState::statsChanged, &HistoryState::noticeChanged})
            connect(&model->history(), signal, this, &SettingsWindow::refreshSidebar);
        using Key = OwnerSettings::Key;
        connect(&model->ownerSettings(), &OwnerSettings::changed, this, [this](Key key) {
            if (key == Key::aiOn || key == Key::limit || key == Key::keywords || key == Key::keepDays)
                refreshSidebar();
        });
        if (model->account())
            connect(model->account(), &VeltraneAccount::changed, this, &SettingsWindow::refreshSidebar);
    }
    buildPane();
}

void SettingsWindow::setTab(SettingsTab tab)
{
    m_tab = tab;
    buildPane();
}

void SettingsWindow::refreshSidebar()
{
    if (!m_model)
        return;
    const QList<SettingsTab> tabs = SettingsTab::allCases();
    for (int i = 0; i < tabs.size(); ++i) {
        const SettingsTab t = tabs.at(i);
        QString status;
        bool strong = false;
        if (VeltraneAccount *account = m_model->account()) {
            status = SettingsTab::status(t, *m_model, *account);
            strong = SettingsTab::statusStrong(t, *m_model, *account);
        }
        // A status longer than the row is cut to one line: at the row's own width (the sidebar
        // less its margins and the row's, and the icon's room when there is one).
        QLabel *line = m_statuses.at(i);
        const int room = 216 - 2 * 10 - 2 * 14 - (QIcon::fromTheme(t.iconName()).isNull() ? 0 : 18 + 12);
        line->setText(line->fontMetrics().elidedText(status, Qt::ElideRight, room));
        line->setToolTip(PlainText::toolTip(status));
        line->setForegroundRole(strong ? QPalette::Text : QPalette::PlaceholderText);
        QFont nf = m_names.at(i)->font();
        nf.setWeight(t == m_tab ? QFont::DemiBold : QFont::Medium);
        m_names.at(i)->setFont(nf);
        m_rows.at(i)->setAccessibleName(t.label() + QStringLiteral(", ") + status);
        m_rows.at(i)->setChecked(t == m_tab);
    }
}

void SettingsWindow::buildPane()
{
    m_title->setText(m_tab.label());
    m_subtitle->setText(m_tab.subtitle());
    m_saveNote->setVisible(showsSaveNote(m_tab));
    if (m_pane) {
        m_pane->hide();
        m_pane->deleteLater();
        m_pane = nullptr;
    }
    if (m_model) {
        switch (m_tab) {
        case SettingsTab::ai: {
            auto *pane = new AIPane(m_model, m_model->account());
            connect(pane, &AIPane::openAccount, this, [this] { setTab(SettingsTab::account); });
            m_pane = pane;
            break;
        }
        case SettingsTab::basic:
            m_pane = new BasicPane(m_model);
            break;
        case SettingsTab::history:
            m_pane = new HistoryPane(m_model, m_prompts);
            break;
        case SettingsTab::account:
            m_pane = new AccountPane(m_model->account());
            break;
        }
        m_paneHolder->addWidget(m_pane);
    }
    refreshSidebar();
}

void SettingsWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_refreshed || !m_model)
        return;
    m_refreshed = true;
    m_model->history().setStats(m_model->store()->stats());
    if (VeltraneAccount *account = m_model->account())
        account->refresh(true);
}

void SettingsWindow::keyPressEvent(QKeyEvent *event)
{
    // Return in a text field belongs to the field (adding a word, sending a code), not to "Done".
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && qobject_cast<QLineEdit *>(focusWidget())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString SettingsWindow::statusShown(SettingsTab tab) const
{
    const int i = int(SettingsTab::allCases().indexOf(tab));
    return i >= 0 && i < m_statuses.size() ? m_statuses.at(i)->text() : QString();
}
