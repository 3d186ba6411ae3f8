#pragma once
// The collecting-and-rules pane: how many comments and posts a scan takes, automatic scans, the
// liked-comments rule, the built-in word lists and the owner's keywords.

#include <QPointer>
#include <QWidget>

class SpamModel;
class QLineEdit;
class QVBoxLayout;

class BasicPane : public QWidget {
    Q_OBJECT
public:
    BasicPane(SpamModel *model, QWidget *parent = nullptr);

    QLineEdit *keywordField() const { return m_field; }
    // The add button and Return in the field: the model takes what it can, the field empties.
    void addKeywords();

private:
    void rebuild();

    QPointer<SpamModel> m_model;
    QVBoxLayout *m_layout;
    QWidget *m_content = nullptr;
    QLineEdit *m_field = nullptr;
    QString m_input;
};
