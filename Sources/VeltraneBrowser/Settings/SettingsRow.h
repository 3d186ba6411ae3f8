#pragma once
// One settings row: an icon, a title over a wrapping subtitle, and a control at the right.

#include <QWidget>

class QLabel;

class SettingsRow : public QWidget {
    Q_OBJECT
public:
    SettingsRow(const QString &iconName, const QString &title, const QString &subtitle, QWidget *control,
                bool indented = false, bool danger = false, QWidget *parent = nullptr);

    QString title() const;
    QString subtitle() const;
    void setSubtitle(const QString &text);
    QWidget *control() const { return m_control; }
    // Whether rows show their icons: only where the desktop's icon theme has them; without them
    // no row keeps an empty column for one.
    static bool showsIcons();
    // Where a row's texts begin, for the dividers between rows.
    static int textInset();

private:
    QLabel *m_title;
    QLabel *m_subtitle;
    QWidget *m_control;
};
