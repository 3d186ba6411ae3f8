#pragma once
// The bar under the list that deletes: how many are picked of how many, select all, deselect
// all, the probability range (Flagged tab) and the delete button. The button names at most 30,
// the batch one deletion takes, but hands on every pick: the deletion leaves the rest for later.

#include "Store/ScanStore.h"

#include <QList>
#include <QSet>
#include <QWidget>

#include <optional>

class ProbabilityRange;
class QLabel;
class QPushButton;

class DeleteBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int batch = 30;

    static QList<ScanStore::Record> picks(const QList<ScanStore::Record> &flagged, const QSet<QString> &unpicked);
    // "3 selected", " of 5", " · 30 at a time" (the last only above 30 picks).
    struct Header {
        QString selected;
        QString of;
        QString batch;
    };
    // In the run's language.
    static Header header(int picks, int flagged);
    static QString deleteTitle(int picks);
    static bool canSelectAll(const QList<ScanStore::Record> &flagged, const QSet<QString> &unpicked);
    static bool canDeselectAll(const QList<ScanStore::Record> &flagged, const QSet<QString> &unpicked);
    static QSet<QString> selectAll(const QList<ScanStore::Record> &flagged, QSet<QString> unpicked);
    static QSet<QString> deselectAll(const QList<ScanStore::Record> &flagged, QSet<QString> unpicked);

    struct Band {
        double lower = 0;
        double upper = 100;
    };

    explicit DeleteBar(QWidget *parent = nullptr);
    // `picks`: how many of `flagged` are not in `unpicked`, when the caller keeps that count;
    // otherwise it is counted here.
    void setContent(const QList<ScanStore::Record> &flagged, const std::optional<Band> &band,
                    const QList<double> &scores, const QSet<QString> &unpicked, bool disabled,
                    std::optional<int> picks = std::nullopt);
    QList<ScanStore::Record> picks() const { return picks(m_flagged, m_unpicked); }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *selectAllButton() const { return m_selectAll; }
    QPushButton *deselectAllButton() const { return m_deselectAll; }
    ProbabilityRange *range() const { return m_range; }
    QString headerText() const;

signals:
    void unpickedChanged(const QSet<QString> &unpicked);
    void bandChanged(double lower, double upper);
    void deleteRequested(const QList<ScanStore::Record> &records);

private:
    void refresh();

    QList<ScanStore::Record> m_flagged;
    QSet<QString> m_unpicked;
    int m_picks = 0;
    bool m_disabled = false;
    QLabel *m_header;
    QPushButton *m_selectAll;
    QPushButton *m_deselectAll;
    ProbabilityRange *m_range;
    QPushButton *m_delete;
};
