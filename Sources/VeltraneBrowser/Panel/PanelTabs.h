#pragma once
// The tab bar at the foot of the panel: one button per tab with its title and count.

#include "Panel/PanelTab.h"

#include <QColor>
#include <QHash>
#include <QLocale>
#include <QWidget>

#include <optional>

class PanelTabs : public QWidget {
    Q_OBJECT
public:
    struct CountLook {
        bool emphasised = false;   // semibold
        QColor color;
    };
    static CountLook countLook(PanelTab tab, PanelTab selected, int count);
    static QColor titleColor(PanelTab tab, PanelTab selected);
    // The count with the locale's digit grouping.
    static QString countText(int count, const QLocale &locale);

    explicit PanelTabs(QWidget *parent = nullptr);
    void setTab(PanelTab tab);
    PanelTab tab() const { return m_tab; }
    void setCounts(const QHash<int, int> &counts);
    int count(PanelTab tab) const { return m_counts.value(int(tab), 0); }
    QRectF buttonRect(PanelTab tab) const;
    QSize sizeHint() const override { return {380, 70}; }

signals:
    void tabChosen(PanelTab tab);

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    PanelTab m_tab = PanelTab::comments;
    QHash<int, int> m_counts;
    std::optional<PanelTab> m_hovered;
};
