#include "Panel/DeleteBar.h"

#include "Theme/Design.h"
#include "Panel/ProbabilityRange.h"
#include "Panel/RunText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QList<ScanStore::Record> DeleteBar::picks(const QList<ScanStore::Record> &flagged, const QSet<QString> &unpicked)
{
    QList<ScanStore::Record> out;
    for (const ScanStore::Record &r : flagged) {
        if (!unpicked.contains(r.id))
            out.append(r);
    }
    return out;
}

DeleteBar::Header DeleteBar::header(int picks, int flagged)
{
    Header h;
    h.selected = tr("%1 selected").arg(picks);
    h.of = tr(" of %1").arg(flagged);
    if (picks > batch)
        h.batch = tr(" · %1 at a time").arg(batch);
    return h;
}

QString DeleteBar::deleteTitle(int picks)
{
    return RunText::deletion(std::min(picks, int(batch)));
}

bool DeleteBar::canSelectAll(const QList<ScanStore::Record> &flagged, const QSet<QString> &unpicked)
{
    return picks(flagged, unpicked).size() < flagged.size();
}

bool DeleteBar::canDeselectAll(const QList<ScanStore::Record> &flagged, const QSet<QString> &unpicked)
{
    return !picks(flagged, unpicked).isEmpty();
}

QSet<QString> DeleteBar::selectAll(const QList<ScanStore::Record> &flagged, QSet<QString> unpicked)
{
    for (const ScanStore::Record &r : flagged)
        unpicked.remove(r.id);
    return unpicked;
}

QSet<QString> DeleteBar::deselectAll(const QList<ScanStore::Record> &flagged, QSet<QString> unpicked)
{
    for (const ScanStore::Record &r : flagged)
        unpicked.insert(r.id);
    return unpicked;
}

DeleteBar::DeleteBar(QWidget *parent)
    : QWidget(parent)
    , m_header(new QLabel(this))
    , m_selectAll(new QPushButton(this))
    , m_deselectAll(new QPushButton(this))
    , m_range(new ProbabilityRange(this))
    , m_delete(new QPushButton(this))
{
    m_header->setTextFormat(Qt::PlainText);
    m_header->setFont(Design::font(13));
    m_header->setWordWrap(true);   // a narrow panel puts the batch note on a second line
    m_selectAll->setText(tr("Select all"));
    m_deselectAll->setText(tr("Deselect all"));
    for (QPushButton *b : {m_selectAll, m_deselectAll})
        b->setProperty("look", QStringLiteral("header"));
    m_delete->setProperty("look", QStringLiteral("critical"));
    auto *head = new QHBoxLayout;
    head->setSpacing(6);
    head->addWidget(m_header, 1);
    head->addWidget(m_selectAll);
    head->addWidget(m_deselectAll);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(10);
    column->addLayout(head);
    column->addWidget(m_range);
    column->addWidget(m_delete);
    connect(m_selectAll, &QPushButton::clicked, this, [this] {
        m_unpicked = selectAll(m_flagged, m_unpicked);
        m_picks = int(m_flagged.size());
        refresh();
        emit unpickedChanged(m_unpicked);
    });
    connect(m_deselectAll, &QPushButton::clicked, this, [this] {
        m_unpicked = deselectAll(m_flagged, m_unpicked);
        m_picks = 0;
        refresh();
        emit unpickedChanged(m_unpicked);
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const QList<ScanStore::Record> all = picks();
        if (!all.isEmpty() && !m_disabled)
            emit deleteRequested(all);
    });
    connect(m_range, &ProbabilityRange::bandChanged, this, &DeleteBar::bandChanged);
}

void DeleteBar::setContent(const QList<ScanStore::Record> &flagged, const std::optional<Band> &band,
                           const QList<double> &scores, const QSet<QString> &unpicked, bool disabled,
                           std::optional<int> picks)
{
    m_flagged = flagged;
    m_unpicked = unpicked;
    if (picks) {
        m_picks = *picks;
    } else {
        m_picks = 0;
        for (const ScanStore::Record &r : flagged)
            m_picks += unpicked.contains(r.id) ? 0 : 1;
    }
    m_disabled = disabled;
    m_range->setVisible(band.has_value());
    if (band)
        m_range->setValues(band->lower, band->upper, scores);
    m_range->setEnabled(!disabled);
    refresh();
}

QString DeleteBar::headerText() const
{
    const Header h = header(m_picks, int(m_flagged.size()));
    return h.selected + h.of + h.batch;
}

void DeleteBar::refresh()
{
    const int count = m_picks;
    const Header h = header(count, int(m_flagged.size()));
    // Plain text in three colours would need markup; the numbers are ours, so a styled run is safe.
    m_header->setTextFormat(Qt::RichText);
    // A narrow panel may break the line between the phrases, never inside one ("30 at a / time").
    const auto whole = [](const QString &phrase) {
        const bool lead = phrase.startsWith(u' ');
        QString out = phrase.mid(lead ? 1 : 0).toHtmlEscaped();
        out.replace(u' ', QStringLiteral("&nbsp;"));
        return lead ? QLatin1Char(' ') + out : out;
    };
    m_header->setText(
        QStringLiteral("<span style='color:%1;font-weight:600'>%2</span><span style='color:%3'>%4%5</span>")
            .arg(Design::text().name(), whole(h.selected), Design::muted().name(), whole(h.of), whole(h.batch)));
    m_selectAll->setEnabled(!m_disabled && count < m_flagged.size());
    m_deselectAll->setEnabled(!m_disabled && count > 0);
    m_delete->setText(deleteTitle(count));
    m_delete->setEnabled(!m_disabled && count > 0);
}
