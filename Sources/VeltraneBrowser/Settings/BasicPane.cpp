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

namespace {

QString pick(bool korean, const char *ko, const char *en)
{
    return korean ? QString::fromUtf8(ko) : QString::fromUtf8(en);
}

} // namespace

BasicPane::BasicPane(SpamModel *model, bool korean, QWidget *parent) : QWidget(parent), m_model(model), m_korean(korean)
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

    auto *collecting = new SettingsCard(pick(m_korean, "수집", "Collecting"));
    collecting->add(new SettingsRow(
        QStringLiteral("mail-folder-inbox"), pick(m_korean, "수집 개수", "How many to collect"),
        pick(m_korean, "화면 순서대로 이 개수까지만 불러와 검사합니다.", "Loads and checks only this many comments, in page order."),
        picker(pick(m_korean, "수집 개수", "How many to collect"), BasicPaneModel::limitChoices(model->limit(), m_korean),
               model->limit(), &BasicPaneModel::setLimit)));
    collecting->addDivider(64);
    collecting->add(new SettingsRow(
        QStringLiteral("view-list-details"), pick(m_korean, "채널 스캔 게시물 수", "Posts per channel scan"),
        pick(m_korean, "댓글 화면이 아닌 곳에서 스캔하면 로그인한 채널마다 최신 게시물을 이 개수만큼 검사합니다.",
             "Scanning away from a comment page checks this many of the latest posts on each signed-in channel."),
        picker(pick(m_korean, "채널 스캔 게시물 수", "Posts per channel scan"), BasicPaneModel::postLimitChoices(m_korean),
               model->postLimit(), &BasicPaneModel::setPostLimit)));
    collecting->addDivider(64);
    collecting->add(new SettingsRow(
        QStringLiteral("view-refresh"), pick(m_korean, "자동 스캔", "Automatic scan"),
        pick(m_korean,
             "다른 앱을 쓰는 동안 최신 게시물을 검사하고 결과를 알림으로 알려 줍니다. 앱 창이 화면에 보일 때만 돌고, 삭제는 하지 않습니다.",
             "Scans your latest posts while you use other apps and notifies you of the result. Runs only while the app "
             "window is on screen. Nothing is deleted."),
        picker(pick(m_korean, "자동 스캔", "Automatic scan"), BasicPaneModel::autoScanChoices(m_korean),
               model->autoScanHours(), &BasicPaneModel::setAutoScanHours)));
    collecting->addDivider(64);
    auto *likes = new QWidget;
    auto *ll = new QHBoxLayout(likes);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->setSpacing(10);
    if (model->noLikesOnly()) {
        auto *combo = new QComboBox;
        combo->setAccessibleName(pick(m_korean, "좋아요 수", "Likes"));
        combo->setFixedWidth(110);
        const QList<PaneChoice> choices = BasicPaneModel::minLikesChoices(model->minLikes(), m_korean);
        for (const PaneChoice &c : choices)
            combo->addItem(c.label, c.value);
        combo->setCurrentIndex(combo->findData(model->minLikes()));
        connect(combo, &QComboBox::activated, model, [model, combo](int index) {
            BasicPaneModel::setMinLikes(*model, combo->itemData(index).toLongLong());
        });
        ll->addWidget(combo);
    }
    auto *likesSwitch = new BrandSwitch(pick(m_korean, "좋아요 받은 댓글은 제외", "Skip comments with likes"), false, m_korean);
    likesSwitch->setChecked(model->noLikesOnly());
    connect(likesSwitch, &BrandSwitch::toggled, model, &SpamModel::setNoLikesOnly);
    ll->addWidget(likesSwitch);
    collecting->add(new SettingsRow(QStringLiteral("emblem-favorite"),
                                    pick(m_korean, "좋아요 받은 댓글은 제외", "Skip comments with likes"),
                                    BasicPaneModel::likesSubtitle(model->minLikes(), m_korean), likes));
    column->addWidget(collecting);

    auto *words = new SettingsCard(pick(m_korean, "단어 목록", "Word list"));
    auto *builtin = new BrandSwitch(pick(m_korean, "기본 사전", "Built-in words"), false, m_korean);
    builtin->setChecked(model->builtinWords());
    connect(builtin, &BrandSwitch::toggled, model, &SpamModel::setBuiltinWords);
    words->add(new SettingsRow(QStringLiteral("accessories-dictionary"), pick(m_korean, "기본 사전", "Built-in words"),
                               BasicPaneModel::builtinSubtitle(BuiltinWords::shared().counts(), m_korean), builtin));
    words->addDivider(0);
    auto *section = new QWidget;
    auto *sl = new QVBoxLayout(section);
    sl->setContentsMargins(18, 18, 18, 18);
    sl->setSpacing(14);
    auto *explain = new QLabel(m_korean ? QStringLiteral("이 단어가 들어 있는 댓글은 바로 스팸입니다. 띄어쓰기나 기호를 끼워 넣은 변형도 "
                                                         "잡습니다. 검사 결과 화면에서도 넣고 뺄 수 있고, 바꾸면 결과에 바로 반영됩니다.")
                                        : QStringLiteral("A comment containing one of these words is spam, including "
                                                         "variations with spaces or symbols inserted. You can also edit "
                                                         "the list on the results screen, and changes apply to the "
                                                         "results right away."));
    explain->setTextFormat(Qt::PlainText);
    explain->setWordWrap(true);
    sl->addWidget(explain);
    auto *input = new QHBoxLayout;
    input->setSpacing(10);
    m_field = new QLineEdit(m_input);
    m_field->setPlaceholderText(pick(m_korean, "단어 입력 (쉼표로 여러 개, 2글자 이상)", "Add words (comma-separated, 2+ characters)"));
    m_field->setMinimumHeight(38);
    auto *add = new SettingsButton(pick(m_korean, "추가", "Add"), SettingsButton::Kind::primary);
    add->setEnabled(BasicPaneModel::canAdd(m_input));
    connect(m_field, &QLineEdit::textChanged, add, [add](const QString &t) { add->setEnabled(BasicPaneModel::canAdd(t)); });
    connect(m_field, &QLineEdit::returnPressed, this, &BasicPane::addKeywords);
    connect(add, &QPushButton::clicked, this, &BasicPane::addKeywords);
    input->addWidget(m_field, 1);
    input->addWidget(add);
    sl->addLayout(input);
    if (!model->keywords().isEmpty()) {
        auto *chips = new KeywordChips(model->keywords(), m_korean);
        connect(chips, &KeywordChips::removeRequested, model, &SpamModel::removeKeyword);
        sl->addWidget(chips);
    }
    words->add(section);
    column->addWidget(words);
    m_layout->addWidget(m_content);
    if (hadFocus)
        m_field->setFocus();
}
