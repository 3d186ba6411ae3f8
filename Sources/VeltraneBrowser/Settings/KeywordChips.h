#pragma once
// The owner's keywords as removable chips in rows that wrap. The chips never change the list
// themselves: removing one reports the word.

#include <QWidget>

class KeywordChips : public QWidget {
    Q_OBJECT
public:
    KeywordChips(const QStringList &items, QWidget *parent = nullptr);

    QStringList items() const { return m_items; }
    // "Remove word": the remove button's accessible name.
    static QString removeLabel(const QString &word);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

signals:
    void removeRequested(const QString &word);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int place(int width, bool apply) const;

    QStringList m_items;
    QList<QWidget *> m_chips;
};
