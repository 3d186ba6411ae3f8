#include "Settings/BasicPane.h"

#include "Rules/BuiltinWords.h"
#include "Scan/SpamModel.h"
#include "Settings/BasicPaneModel.h"
#include "Settings/BrandSwitch.h"
#include "Settings/ChoicePicker.h"
#include "Settings/KeywordChips.h"
#include "Settings/PaneContent.h"
#include "Settings/SettingsButton.h"
#include "Settings/SettingsCard.h"
#include "Settings/SettingsRow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

BasicPane::BasicPane(SpamModel *model, QWidget *parent) : QWidget(parent), m_model(model)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    for (auto signal : {&SpamModel::limitChanged, &SpamModel::postLimitChanged, &SpamModel::autoScanHoursChanged,
                        &SpamModel::noLikesOnlyChanged, &SpamModel::minLikesChanged, &SpamModel::builtinWordsChanged,
                        &SpamModel::keywordsChanged})
        connect(model, signal, this, &BasicPane::rebuild, Qt::QueuedConnection);
    rebuild();
}

void BasicPane::addKeywords()
{
    if (!m_model)
        return;
    const QString input = m_field ? m_field->text() : m_input;
    m_input.clear();
    if (m_field)
        m_field->clear();
    BasicPaneModel::add(*m_model, input);
}

void BasicPane::rebuild()
{
    if (!m_model)
        return;
    const bool hadFocus = m_field && m_field->hasFocus();
    if (m_field)
        m_input = m_field->text();
    QVBoxLayout *column = PaneContent::renew(this, m_layout, m_content);
    SpamModel *model = m_model;

    auto picker = [&](const QString &name, const QList<PaneChoice> &choices, qint64 current, auto write) {
        auto *p = new ChoicePicker(name, 250);
        p->setChoices(choices, current);
        connect(p, &ChoicePicker::picked, model, [model, write](qint64 v) { write(*model, v); });
        return p;
    };

    auto *collecting = new SettingsCard(tr("Collecting"));
    collecting->add(new SettingsRow(
        QStringLiteral("mail-folder-inbox"), tr("How many to collect"),
        tr("Loads and checks only this many comments, in page order."),
        picker(tr("How many to collect"), BasicPaneModel::limitChoices(model->limit()),
               model->limit(), &BasicPaneModel::setLimit)));
    collecting->addDivider(SettingsRow::textInset());
    collecting->add(new SettingsRow(
        QStringLiteral("view-list-details"), tr("Posts per channel scan"),
        tr("Scanning away from a comment page checks this many of the latest posts on each signed-in channel."),
        picker(tr("Posts per channel scan"), BasicPaneModel::postLimitChoices(),
               model->postLimit(), &BasicPaneModel::setPostLimit)));
    collecting->addDivider(SettingsRow::textInset());
    collecting->add(new SettingsRow(
        QStringLiteral("view-refresh"), tr("Automatic scan"),
        tr("Scans your latest posts while you use other apps and notifies you of the result. Runs only while the app "
             "window is on screen. Nothing is deleted."),
        picker(tr("Automatic scan"), BasicPaneModel::autoScanChoices(),
               model->autoScanHours(), &BasicPaneModel::setAutoScanHours)));
    collecting->addDivider(SettingsRow::textInset());
    auto *likes = new QWidget;
    auto *ll = new QHBoxLayout(likes);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->setSpacing(10);
    if (model->noLikesOnly()) {
        auto *combo = new QComboBox;
        combo->setAccessibleName(tr("Likes"));
        combo->setFixedWidth(110);
        const QList<PaneChoice> choices = BasicPaneModel::minLikesChoices(model->minLikes());
        for (const PaneChoice &c : choices)
            combo->addItem(c.label, c.value);
        combo->setCurrentIndex(combo->findData(model->minLikes()));
        connect(combo, &QComboBox::activated, model, [model, combo](int index) {
            BasicPaneModel::setMinLikes(*model, combo->itemData(index).toLongLong());
        });
        ll->addWidget(combo);
    }
    auto *likesSwitch = new BrandSwitch(tr("Skip comments with likes"), false);
    likesSwitch->setChecked(model->noLikesOnly());
    connect(likesSwitch, &BrandSwitch::toggled, model, &SpamModel::setNoLikesOnly);
    ll->addWidget(likesSwitch);
    collecting->add(new SettingsRow(QStringLiteral("emblem-favorite"),
                                    tr("Skip comments with likes"),
                                    BasicPaneModel::likesSubtitle(model->minLikes()), likes));
    column->addWidget(collecting);

    auto *words = new SettingsCard(tr("Word list"));
    auto *builtin = new BrandSwitch(tr("Built-in words"), false);
    builtin->setChecked(model->builtinWords());
    connect(builtin, &BrandSwitch::toggled, model, &SpamModel::setBuiltinWords);
    words->add(new SettingsRow(QStringLiteral("accessories-dictionary"), tr("Built-in words"),
                               BasicPaneModel::builtinSubtitle(BuiltinWords::shared().counts()), builtin));
    words->addDivider(0);
    auto *section = new QWidget;
    auto *sl = new QVBoxLayout(section);
    sl->setContentsMargins(18, 18, 18, 18);
    sl->setSpacing(14);
    auto *explain = new QLabel(tr("A comment containing one of these words is spam, including variations with spaces or "
                                  "symbols inserted. You can also edit the list on the results screen, and changes apply "
                                  "to the results right away."));
    explain->setTextFormat(Qt::PlainText);
    explain->setWordWrap(true);
    sl->addWidget(explain);
    auto *input = new QHBoxLayout;
    input->setSpacing(10);
    m_field = new QLineEdit(m_input);
    m_field->setPlaceholderText(tr("Add words (comma-separated, 2+ characters)"));
    m_field->setMinimumHeight(38);
    auto *add = new SettingsButton(tr("Add"), SettingsButton::Kind::primary);
    add->setEnabled(BasicPaneModel::canAdd(m_input));
    connect(m_field, &QLineEdit::textChanged, add, [add](const QString &t) { add->setEnabled(BasicPaneModel::canAdd(t)); });
    connect(m_field, &QLineEdit::returnPressed, this, &BasicPane::addKeywords);
    connect(add, &QPushButton::clicked, this, &BasicPane::addKeywords);
    input->addWidget(m_field, 1);
    input->addWidget(add);
    sl->addLayout(input);
    if (!model->keywords().isEmpty()) {
        auto *chips = new KeywordChips(model->keywords());
        connect(chips, &KeywordChips::removeRequested, model, &SpamModel::removeKeyword);
        sl->addWidget(chips);
    }
    words->add(section);
    column->addWidget(words);
    m_layout->addWidget(m_content);
    if (hadFocus)
        m_field->setFocus();
}
