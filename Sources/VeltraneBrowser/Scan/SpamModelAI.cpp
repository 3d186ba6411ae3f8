// The AI pass of a scan and the owner's consent to it.
#include "Scan/SpamModel.h"

#include "Base/Lang.h"
#include "Rules/AIRules.h"
#include "Service/VeltraneAccount.h"


#include <memory>

namespace {

const QString kSpam = QStringLiteral("spam");

// Answers of the service for one pass, in the order they arrive. Once dropped (the page changed,
// or Stop gave up on them), answers still to come are ignored.
struct Arrivals {
    struct Outcome {
        int batch = 0;
        std::optional<VeltraneAccount::Checked> checked;
        std::optional<APIFailure> failure;
    };
    QList<Outcome> queue;
    bool dropped = false;
};

QCoro::Task<void> askService(QPointer<VeltraneAccount> account, QStringList texts, QStringList kinds, bool keepPraise,
                             int batch, std::shared_ptr<Arrivals> arrivals, QPointer<SpamModel> model)
{
    Arrivals::Outcome outcome;
    outcome.batch = batch;
    try {
        if (!account)
            throw APIFailure(0, QStringLiteral("failed"));
        outcome.checked = co_await account->check(texts, kinds, keepPraise);
    } catch (const APIFailure &failure) {
        outcome.failure = failure;
    } catch (...) {
        outcome.failure = APIFailure(0, QStringLiteral("failed"));
    }
    if (arrivals->dropped)
        co_return;
    arrivals->queue.append(outcome);
    if (model)
        emit model->landed();
}

ScanProgress checkProgress(qint64 count, qint64 total)
{
    ScanProgress p;
    p.phase = QStringLiteral("check");
    p.count = count;
    p.total = total;
    return p;
}

} // namespace

Alerts *SpamModel::alerts() const
{
    return m_alerts ? m_alerts : Alerts::shared();
}

Alerts::Question SpamModel::consentQuestion()
{
    const QString product = QStringLiteral("Glimora");
    return {tr("Use the AI check?"),
            tr("The AI finds spam, abuse and sexual content in your comments. Comment text is sent through the %1"
               " server to an external AI (Quorant); the server does not store it.").arg(product),
            {tr("Use the AI check"), tr("Keyword rules only")}};
}

QCoro::Task<bool> SpamModel::askAIConsent()
{
    const int answer = co_await alerts()->ask(consentQuestion());
    co_return answer == 0;
}

QCoro::Task<QString> SpamModel::aiPass(QUuid pageID, std::optional<ScanStore::PostKey> page,
                                       QHash<QString, ScanStore::Known> known, Reuse before)
{
    QPointer<SpamModel> self(this);
    {
        ScanActivity a = m_scanActivity;
        a.stage = ScanActivity::Stage::ai;
        setScanActivity(a);
    }
    const Reuse own = reuseAI(known);
    const int reused = before.reused + own.reused;
    int found = before.found + own.found;
    int unsure = before.unsure + own.unsure;

    QList<Comment> toAsk;
    for (const Comment &c : std::as_const(m_comments)) {
        if (c.state == QLatin1String("ok") && !c.aiProb)
            toAsk.append(c);
    }
    if (toAsk.isEmpty() && reused <= 0) {
        ScanActivity a = m_scanActivity;
        a.aiState = ScanActivity::AIState::skipped;
        setScanActivity(a);
        co_return QString();
    }
    const QString optionsKey = aiOptionsKey();
    QHash<QString, qsizetype> position;
    position.reserve(m_comments.size());
    for (qsizetype i = 0; i < m_comments.size(); ++i) {
        if (!position.contains(m_comments.at(i).id))
            position.insert(m_comments.at(i).id, i);
    }
    QString reuseNote;
    if (reused >= 1) {
        reuseNote = tr(" %1 unchanged since the last scan reused their earlier AI result.").arg(reused);
    }
    const int total = int(toAsk.size());
    {
        ScanActivity a = m_scanActivity;
        a.aiChecked = reused;
        a.aiTotal = reused + total;
        if (toAsk.isEmpty())
            a.aiState = ScanActivity::AIState::complete;
        setScanActivity(a);
    }
    if (toAsk.isEmpty()) {
        QString earlier;
        if (found >= 1)
            earlier = tr(" Earlier AI results flag %1.").arg(found);
        co_return earlier + reuseNote;
    }

    QList<QList<Comment>> batches;
    for (qsizetype i = 0; i < toAsk.size(); i += aiBatchSize)
        batches.append(toAsk.mid(i, aiBatchSize));

    m_aiStop = false;
    setAIChecking(true);
    {
        ScanActivity a = m_scanActivity;
        a.aiState = ScanActivity::AIState::running;
        a.aiTotal = reused + total;
        setScanActivity(a);
    }
    setProgress(checkProgress(0, total));
    setStatus(tr("AI check… %1/%2").arg(0).arg(total), QString());

    // The service is asked for spam and the optional categories; answers are judged on the same.
    const QStringList kinds = QStringList{kSpam} + aiOptions();
    const bool keepPraise = m_aiKeepPraise;
    QPointer<VeltraneAccount> account(m_account);
    auto arrivals = std::make_shared<Arrivals>();
    int answered = 0;
    int sent = 0;
    int inFlight = 0;
    int next = 0;
    bool abandoned = false;
    std::optional<APIFailure> firstFailure;

    const auto fill = [&] {
        while (inFlight < aiMaxInFlight && next < batches.size() && !firstFailure && !m_aiStop) {
            const QList<Comment> &batch = batches.at(next);
            QStringList texts;
            ScanActivity a = m_scanActivity;
            for (const Comment &c : batch) {
                texts.append(c.text);
                a.inspecting.insert(c.id);
            }
            a.samples = ScanActivity::samplesOf(batch);
            setScanActivity(a);
            askService(account, texts, kinds, keepPraise, next, arrivals, self);
            ++next;
            ++inFlight;
        }
    };

    fill();
    bool handledOne = false;
    while (inFlight > 0) {
        if (arrivals->queue.isEmpty()) {
            handledOne = false;
            // A page change or a stop that was given up on ends the wait at once.
            if (!samePage(pageID) || (m_aiStop && m_abandon)) {
                abandoned = m_aiStop && m_abandon && samePage(pageID);
                break;
            }
            co_await nextLanding();
            if (!self)
                co_return QString();
            continue;
        }
        if (handledOne) {
            // Answers that arrive together are handled one per turn of the event loop, so that
            // the window stays live while each is stored.
            co_await yieldToLoop();
            if (!self)
                co_return QString();
            if (arrivals->queue.isEmpty())
                continue;
        }
        handledOne = true;
        const Arrivals::Outcome outcome = arrivals->queue.takeFirst();
        --inFlight;
        if (!samePage(pageID))
            break;
        const QList<Comment> &batch = batches.at(outcome.batch);
        sent += int(batch.size());
        if (outcome.failure) {
            if (!firstFailure)
                firstFailure = outcome.failure;
        } else if (outcome.checked) {
            const QList<std::optional<AIScore>> &scores = outcome.checked->scores;
            const qsizetype pairs = std::min(batch.size(), scores.size());
            if (page) {
                QList<ScanStore::AIAnswer> answers;
                for (qsizetype i = 0; i < pairs; ++i) {
                    if (scores.at(i))
                        answers.append({batch.at(i).id, ScanStore::hash(batch.at(i).text), *scores.at(i)});
                }
                if (!answers.isEmpty())
                    m_scanReport.noteStored(m_store->rememberAI(page->site, answers, optionsKey));
            }
            bool changed = false;
            for (qsizetype i = 0; i < pairs; ++i) {
                if (!scores.at(i))
                    continue;
                const qsizetype at = position.value(batch.at(i).id, -1);
                if (at < 0 || at >= m_comments.size() || m_comments.at(at).id != batch.at(i).id)
                    continue;
                ++answered;
                const AIRules::Verdict verdict = AIRules::verdict(*scores.at(i), kinds);
                m_comments[at].aiKind = verdict.kind;
                m_comments[at].aiProb = verdict.prob;
                changed = true;
                if (const std::optional<AIRules::Placement> placed = placeAt(at)) {
                    if (placed->flagged) {
                        ++found;
                        if (!placed->checked)
                            ++unsure;
                    }
                }
            }
            if (changed)
                emit commentsChanged();
        }
        {
            ScanActivity a = m_scanActivity;
            for (const Comment &c : batch)
                a.inspecting.remove(c.id);
            a.aiChecked = reused + answered;
            a.flagged = ScanActivity::spamCount(m_comments);
            QList<Comment> now;
            for (const Comment &c : batch) {
                const qsizetype at = position.value(c.id, -1);
                if (at >= 0 && at < m_comments.size() && m_comments.at(at).id == c.id)
                    now.append(m_comments.at(at));
            }
            a.samples = ScanActivity::samplesOf(now);
            setScanActivity(a);
        }
        setProgress(checkProgress(sent, total));
        setStatus(tr("AI check… %1/%2 · %3 suspected").arg(sent).arg(total).arg(found), QString());
        fill();
    }
    // Whatever is still out belongs to a page that left or a stop given up on.
    arrivals->dropped = true;

    // Clean-up and the closing sentence.
    setAIChecking(false);
    {
        ScanActivity a = m_scanActivity;
        a.inspecting.clear();
        a.flagged = ScanActivity::spamCount(m_comments);
        if (firstFailure)
            a.aiState = ScanActivity::AIState::failed;
        else if (answered >= total)
            a.aiState = ScanActivity::AIState::complete;
        else
            a.aiState = ScanActivity::AIState::partial;
        setScanActivity(a);
    }
    if (firstFailure) {
        const QString text = AIRules::message(*firstFailure, Lang::system());
        report(text);
        co_return u' ' + text + tr(" The AI checked %1.").arg(answered) + reuseNote;
    }
    if (m_aiStop && (next < batches.size() || abandoned)) {
        co_return tr(" AI check stopped. The AI checked %1; the rest are rule results.").arg(answered) + reuseNote;
    }
    QString sentence;
    if (found >= 1) {
        sentence = tr(" The AI checked %1 and found %2").arg(answered).arg(found);
        if (unsure >= 1)
            sentence += tr(" (%1 below the threshold, left unticked)").arg(unsure);
        sentence += u'.';
    } else {
        sentence = tr(" The AI checked %1 and found no problem comments.").arg(answered);
    }
    co_return sentence + reuseNote;
}
