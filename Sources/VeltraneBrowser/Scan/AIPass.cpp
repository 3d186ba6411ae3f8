#include "Scan/AIPass.h"

#include "Rules/AIRules.h"
#include "Service/VeltraneAccount.h"

namespace {

const QString kSpam = QStringLiteral("spam");

ScanProgress checkProgress(qint64 count, qint64 total)
{
    ScanProgress p;
    p.phase = QStringLiteral("check");
    p.count = count;
    p.total = total;
    return p;
}

}   // namespace

// Answers of the service for one pass, in the order they arrive. Once dropped (the page changed,
// or Stop gave up on them), answers still to come are ignored.
struct AIPass::Arrivals {
    struct Outcome {
        int batch = 0;
        std::optional<VeltraneAccount::Checked> checked;
        std::optional<APIFailure> failure;
    };
    QList<Outcome> queue;
    bool dropped = false;
};

namespace {

QCoro::Task<void> askService(QPointer<VeltraneAccount> account, QStringList texts, QStringList kinds, bool keepPraise,
                             int batch, std::shared_ptr<AIPass::Arrivals> arrivals, QPointer<JobState> jobs)
{
    AIPass::Arrivals::Outcome outcome;
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
    if (jobs)
        jobs->land();
}

}   // namespace

Alerts::Question AIPass::consentQuestion()
{
    const QString product = QStringLiteral("Glimora");
    return {tr("Use the AI check?"),
            tr("The AI finds spam, abuse and sexual content in your comments. Comment text is sent through the %1"
               " server to an external AI (Quorant); the server does not store it.")
                .arg(product),
            {tr("Use the AI check"), tr("Keyword rules only")}};
}

QCoro::Task<bool> AIPass::askConsent(Alerts *alerts)
{
    const int answer = co_await alerts->ask(consentQuestion());
    co_return answer == 0;
}

AIPass::AIPass(const Inputs &in, QUuid pageID, std::optional<ScanStore::PostKey> page,
               QList<ScanStore::AIAnswer> *answers)
    : m_review(in.review)
    , m_openPage(in.page)
    , m_report(in.report)
    , m_owner(in.owner)
    , m_jobs(in.jobs)
    , m_status(in.status)
    , m_account(in.account)
    , m_store(in.store)
    , m_alive(&in.jobs)
    , m_pageID(pageID)
    , m_page(std::move(page))
    , m_answers(answers)
    , m_arrivals(std::make_shared<Arrivals>())
{
}

QCoro::Task<QString> AIPass::run(QHash<QString, ScanStore::Known> known, PostReview::Reuse before)
{
    {
        ScanActivity a = m_openPage.scanActivity();
        a.stage = ScanActivity::Stage::ai;
        m_openPage.setScanActivity(a);
    }
    const PostReview::Reuse own = m_review.reuseAI(known);
    m_reused = before.reused + own.reused;
    m_found = before.found + own.found;
    m_unsure = before.unsure + own.unsure;

    QList<Comment> toAsk;
    for (const Comment &c : m_review.comments()) {
        if (c.verdict() == Comment::Verdict::ok && !c.aiProb)
            toAsk.append(c);
    }
    if (toAsk.isEmpty() && m_reused <= 0) {
        ScanActivity a = m_openPage.scanActivity();
        a.aiState = ScanActivity::AIState::skipped;
        m_openPage.setScanActivity(a);
        co_return QString();
    }
    m_optionsKey = m_owner.aiOptionsKey();
    const QList<Comment> &comments = m_review.comments();
    m_position.reserve(comments.size());
    for (qsizetype i = 0; i < comments.size(); ++i) {
        if (!m_position.contains(comments.at(i).id))
            m_position.insert(comments.at(i).id, i);
    }
    if (m_reused >= 1)
        m_reuseNote = tr(" %1 unchanged since the last scan reused their earlier AI result.").arg(m_reused);
    m_total = int(toAsk.size());
    {
        ScanActivity a = m_openPage.scanActivity();
        a.aiChecked = m_reused;
        a.aiTotal = m_reused + m_total;
        if (toAsk.isEmpty())
            a.aiState = ScanActivity::AIState::complete;
        m_openPage.setScanActivity(a);
    }
    if (toAsk.isEmpty()) {
        QString earlier;
        if (m_found >= 1)
            earlier = tr(" Earlier AI results flag %1.").arg(m_found);
        co_return earlier + m_reuseNote;
    }

    for (qsizetype i = 0; i < toAsk.size(); i += batchSize)
        m_batches.append(toAsk.mid(i, batchSize));

    m_jobs.stop().ai = false;
    m_jobs.setPhase(JobState::Phase::ai);
    {
        ScanActivity a = m_openPage.scanActivity();
        a.aiState = ScanActivity::AIState::running;
        a.aiTotal = m_reused + m_total;
        m_openPage.setScanActivity(a);
    }
    m_openPage.setProgress(checkProgress(0, m_total));
    m_status.set(tr("AI check… %1/%2").arg(0).arg(m_total), StatusKind::plain);

    // The service is asked for spam and the optional categories; answers are judged on the same.
    m_kinds = QStringList{kSpam} + m_owner.aiOptions();
    m_keepPraise = m_owner.aiKeepPraise();

    fill();
    bool handledOne = false;
    while (m_inFlight > 0) {
        if (m_arrivals->queue.isEmpty()) {
            handledOne = false;
            // A page change or a stop that was given up on ends the wait at once.
            const bool givenUp = m_jobs.stop().ai && m_jobs.stop().abandon;
            if (!m_openPage.samePage(m_pageID) || givenUp) {
                m_abandoned = givenUp && m_openPage.samePage(m_pageID);
                break;
            }
            co_await m_jobs.nextLanding();
            if (!m_alive)
                co_return QString();
            continue;
        }
        if (handledOne) {
            // Answers that arrive together are handled one per turn of the event loop, so that
            // the window stays live while each is stored.
            co_await m_jobs.nextTurn();
            if (!m_alive)
                co_return QString();
            if (m_arrivals->queue.isEmpty())
                continue;
        }
        handledOne = true;
        const Arrivals::Outcome outcome = m_arrivals->queue.takeFirst();
        --m_inFlight;
        if (!m_openPage.samePage(m_pageID))
            break;
        m_sent += int(m_batches.at(outcome.batch).size());
        if (outcome.failure) {
            if (!m_firstFailure)
                m_firstFailure = outcome.failure;
        } else if (outcome.checked) {
            take(outcome.batch, outcome.checked->scores);
        }
        showProgress(outcome.batch);
        fill();
    }
    // Whatever is still out belongs to a page that left or a stop given up on.
    m_arrivals->dropped = true;

    // Clean-up and the closing sentence.
    m_jobs.leavePhase(JobState::Phase::ai);
    {
        ScanActivity a = m_openPage.scanActivity();
        a.inspecting.clear();
        a.flagged = ScanActivity::spamCount(m_review.comments());
        if (m_firstFailure)
            a.aiState = ScanActivity::AIState::failed;
        else if (m_answered >= m_total)
            a.aiState = ScanActivity::AIState::complete;
        else
            a.aiState = ScanActivity::AIState::partial;
        m_openPage.setScanActivity(a);
    }
    co_return closing();
}

void AIPass::fill()
{
    QPointer<VeltraneAccount> account(m_account);
    while (m_inFlight < maxInFlight && m_next < m_batches.size() && !m_firstFailure && !m_jobs.stop().ai) {
        const QList<Comment> &batch = m_batches.at(m_next);
        QStringList texts;
        ScanActivity a = m_openPage.scanActivity();
        for (const Comment &c : batch) {
            texts.append(c.text);
            a.inspecting.insert(c.id);
        }
        a.samples = ScanActivity::samplesOf(batch);
        m_openPage.setScanActivity(a);
        askService(account, texts, m_kinds, m_keepPraise, m_next, m_arrivals, m_alive);
        ++m_next;
        ++m_inFlight;
    }
}

void AIPass::take(int index, const QList<std::optional<AIScore>> &scores)
{
    const QList<Comment> &batch = m_batches.at(index);
    const qsizetype pairs = std::min(batch.size(), scores.size());
    if (m_page) {
        QList<ScanStore::AIAnswer> answers;
        for (qsizetype i = 0; i < pairs; ++i) {
            if (scores.at(i))
                answers.append(
                    {batch.at(i).id, m_review.textHashes().of(batch.at(i).id, batch.at(i).text), *scores.at(i)});
        }
        if (m_answers)
            m_answers->append(answers);
        else if (!answers.isEmpty())
            m_report.noteStored(m_store->rememberAI(m_page->site, answers, m_optionsKey));
    }
    bool changed = false;
    for (qsizetype i = 0; i < pairs; ++i) {
        if (!scores.at(i))
            continue;
        const qsizetype at = m_position.value(batch.at(i).id, -1);
        if (at < 0 || at >= m_review.comments().size() || m_review.comments().at(at).id != batch.at(i).id)
            continue;
        ++m_answered;
        const AIRules::Verdict verdict = AIRules::verdict(*scores.at(i), m_kinds);
        changed = true;
        if (const std::optional<AIRules::Placement> placed = m_review.answerAI(at, verdict.kind, verdict.prob)) {
            if (placed->flagged) {
                ++m_found;
                if (!placed->checked)
                    ++m_unsure;
            }
        }
    }
    if (changed)
        m_review.announce();
}

void AIPass::showProgress(int index)
{
    const QList<Comment> &comments = m_review.comments();
    const QList<Comment> &batch = m_batches.at(index);
    {
        ScanActivity a = m_openPage.scanActivity();
        for (const Comment &c : batch)
            a.inspecting.remove(c.id);
        a.aiChecked = m_reused + m_answered;
        a.flagged = ScanActivity::spamCount(comments);
        QList<Comment> now;
        for (const Comment &c : batch) {
            const qsizetype at = m_position.value(c.id, -1);
            if (at >= 0 && at < comments.size() && comments.at(at).id == c.id)
                now.append(comments.at(at));
        }
        a.samples = ScanActivity::samplesOf(now);
        m_openPage.setScanActivity(a);
    }
    m_openPage.setProgress(checkProgress(m_sent, m_total));
    m_status.set(tr("AI check… %1/%2 · %3 suspected").arg(m_sent).arg(m_total).arg(m_found), StatusKind::plain);
}

QString AIPass::closing() const
{
    if (m_firstFailure) {
        const QString text = AIRules::message(*m_firstFailure);
        m_report.report(text);
        return u' ' + text + tr(" The AI checked %1.").arg(m_answered) + m_reuseNote;
    }
    if (m_jobs.stop().ai && (m_next < m_batches.size() || m_abandoned))
        return tr(" AI check stopped. The AI checked %1; the rest are rule results.").arg(m_answered) + m_reuseNote;
    QString sentence;
    if (m_found >= 1) {
        sentence = tr(" The AI checked %1 and found %2").arg(m_answered).arg(m_found);
        if (m_unsure >= 1)
            sentence += tr(" (%1 below the threshold, left unticked)").arg(m_unsure);
        sentence += u'.';
    } else {
        sentence = tr(" The AI checked %1 and found no problem comments.").arg(m_answered);
    }
    return sentence + m_reuseNote;
}
