#include "Settings/BasicPane.h"

#include "Rules/BuiltinWords.h"
#include "Scan/SpamModel.h"
#include "Settings/BasicPaneModel.h"
#include "Settings/BrandSwitch.h"
#include "Settings/ChoicePicker.h"
#include "Settings/KeywordChips.h"
#include "Settings/PaneContent.h"
#include "Settings/SettingBinder.h"
#include "Settings/SettingsButton.h"
#include "Settings/SettingsCard.h"
#include "Settings/SettingsRow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

BasicPane::BasicPane(SpamModel *model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    using Key = OwnerSettings::Key;
    SettingBinder::onChange(this, model->ownerSettings(),
                            {Key::limit, Key::postLimit, Key::autoScanHours, Key::noLikesOnly, Key::minLikes,
                             Key::builtinWords, Key::keywords},
                            [this] { rebuild(); });
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
    OwnerSettings &settings = model->ownerSettings();
    using Key = OwnerSettings::Key;

    auto picker = [&](const QString &name, Key key) {
        auto *p = new ChoicePicker(name, 250);
        SettingBinder::bindPicker(p, settings, key);
        return p;
    };

    auto *collecting = new SettingsCard(tr("Collecting"));
    collecting->add(new SettingsRow(QStringLiteral("mail-folder-inbox"), tr("How many to collect"),
                                    tr("Loads and checks only this many comments, in page order."),
                                    picker(tr("How many to collect"), Key::limit)));
    collecting->addDivider(SettingsRow::textInset());
    collecting->add(new SettingsRow(
        QStringLiteral("view-list-details"), tr("Posts per channel scan"),
        tr("Scanning away from a comment page checks this many of the latest posts on each signed-in channel."),
        picker(tr("Posts per channel scan"), Key::postLimit)));
    collecting->addDivider(SettingsRow::textInset());
    collecting->add(new SettingsRow(
        QStringLiteral("view-refresh"), tr("Automatic scan"),
        tr("Scans your latest posts while you use other apps and notifies you of the result. Runs only while the app "
           "window is on screen. Nothing is deleted."),
        picker(tr("Automatic scan"), Key::autoScanHours)));
    collecting->addDivider(SettingsRow::textInset());
    auto *likes = new QWidget;
    auto *ll = new QHBoxLayout(likes);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->setSpacing(10);
    if (settings.noLikesOnly()) {
        auto *combo = new QComboBox;
        combo->setAccessibleName(tr("Likes"));
        combo->setFixedWidth(110);
        SettingBinder::bindList(combo, settings, Key::minLikes);
        ll->addWidget(combo);
    }
    auto *likesSwitch = new BrandSwitch(tr("Skip comments with likes"), false);
    SettingBinder::bindSwitch(likesSwitch, settings, Key::noLikesOnly);
    ll->addWidget(likesSwitch);
    collecting->add(new SettingsRow(QStringLiteral("emblem-favorite"), tr("Skip comments with likes"),
                                    BasicPaneModel::likesSubtitle(settings.minLikes()), likes));
    column->addWidget(collecting);

    auto *words = new SettingsCard(tr("Word list"));
    auto *builtin = new BrandSwitch(tr("Built-in words"), false);
    SettingBinder::bindSwitch(builtin, settings, Key::builtinWords);
    words->add(new SettingsRow(QStringLiteral("accessories-dictionary"), tr("Built-in words"),
                               BasicPaneModel::builtinSubtitle(BuiltinWords::shared().counts()), builtin));
    words->addDivider(0);
    auto *section = new QWidget;
    auto *sl = new QVBoxLayout(section);
    sl->setContentsMargins(18, 18, 18, 18);
    sl->setSpacing(14);
    auto *explain = new QLabel(
        tr("A comment containing one of these words is spam, including variations with spaces or "
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
    connect(m_field, &QLineEdit::textChanged, add,
            [add](const QString &t) { add->setEnabled(BasicPaneModel::canAdd(t)); });
    connect(m_field, &QLineEdit::returnPressed, this, &BasicPane::addKeywords);
    connect(add, &QPushButton::clicked, this, &BasicPane::addKeywords);
    input->addWidget(m_field, 1);
    input->addWidget(add);
    sl->addLayout(input);
    if (!settings.keywords().isEmpty()) {
        auto *chips = new KeywordChips(settings.keywords());
        connect(chips, &KeywordChips::removeRequested, model, &SpamModel::removeKeyword);
        sl->addWidget(chips);
    }
    words->add(section);
    column->addWidget(words);
    m_layout->addWidget(m_content);
    if (hadFocus)
        m_field->setFocus();
}
