#pragma once
// The owner's clicks in the real window, made through Qt's test API: ticking comments in the
// review panel by their tick boxes, and answering the message box the window shows.
//
//   const QStringList ids = tickComments(panel, 2);
//   QMessageBox *box = nullptr;
//   QTRY_VERIFY((box = shownQuestion()));
//   QVERIFY(answerQuestion(box, "Delete 2"));

#include "Panel/CommentDelegate.h"
#include "Panel/CommentListModel.h"
#include "Panel/SpamPanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListView>
#include <QMessageBox>
#include <QTest>

#include <functional>

namespace vt::test {

// Ticks the first `count` comment rows of the panel's list (those `accept` takes, when given)
// with mouse clicks on their tick boxes; returns their ids (fewer when the list has fewer rows).
inline QStringList tickComments(SpamPanel *panel, int count,
                                const std::function<bool(const ScanStore::Record &)> &accept = {})
{
    QListView *list = panel->list();
    QStringList picks;
    for (int row = 0; row < panel->listModel()->rowCount() && picks.size() < count; ++row) {
        const ScanStore::Record &record = panel->listModel()->row(row).record;
        const QString id = record.id;
        if (id.isEmpty() || (accept && !accept(record)))
            continue;
        const QModelIndex index = panel->listModel()->index(row);
        list->scrollTo(index);
        if (!QTest::qWaitFor([&] { return list->visualRect(index).height() > 0; }, 10000))
            break;
        const QRect rect = list->visualRect(index);
        const auto g = CommentDelegate::geometry(*panel->listModel(), row, rect.width());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.topLeft() + g.tick.center().toPoint());
        picks << id;
    }
    return picks;
}

// The message box the application shows now as its modal question, if any.
inline QMessageBox *shownQuestion()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    return box && box->isVisible() ? box : nullptr;
}

// Clicks the box's button with this text, as the owner would; false when it has none.
inline bool answerQuestion(QMessageBox *box, const QString &button)
{
    for (QAbstractButton *b : box->buttons()) {
        if (b->text() == button && b->isVisible() && b->isEnabled()) {
            QTest::mouseClick(b, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

}   // namespace vt::test
