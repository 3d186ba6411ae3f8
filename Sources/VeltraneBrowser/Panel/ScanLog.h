#pragma once
// The log of past actions shown from the panel's header: one row per session, newest first, up
// to seven rows without scrolling.

#include "Panel/ScanSession.h"

#include <QScrollArea>

class ScanLog : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int rowHeight = 56;
    static constexpr int logWidth = 320;
    static int heightFor(qsizetype sessions);

    explicit ScanLog(QWidget *parent = nullptr);
    // Sessions in ascending order, as ScanSession::group gives them.
    void setSessions(const QList<ScanSession> &sessions);
    const QList<ScanSession> &sessions() const { return m_sessions; }

    // Paints the rows (newest first) at a width.
    static void paintRows(QPainter &painter, int width, const QList<ScanSession> &sessions);

private:
    QList<ScanSession> m_sessions;
    QWidget *m_canvas;
};
