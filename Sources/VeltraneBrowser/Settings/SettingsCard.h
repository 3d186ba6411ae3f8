#pragma once
// A titled group of settings rows on one raised surface; rows and dividers are added in order.

#include <QFrame>

class QLabel;
class QVBoxLayout;
class QHBoxLayout;

class SettingsCard : public QWidget {
    Q_OBJECT
public:
    explicit SettingsCard(const QString &title, QWidget *parent = nullptr);

    QString title() const;
    // Adds a widget to the card's body, full width.
    void add(QWidget *row);
    // A one-pixel line that starts `inset` pixels from the leading edge.
    void addDivider(int inset);
    // A widget at the right of the title.
    void setTrailing(QWidget *trailing);
    QWidget *body() const { return m_body; }

    // The surface every card and pane block is drawn on: palette-aware, rounded, bordered.
    static void makeSurface(QFrame *frame);

private:
    QLabel *m_title;
    QHBoxLayout *m_header;
    QFrame *m_body;
    QVBoxLayout *m_rows;
};
