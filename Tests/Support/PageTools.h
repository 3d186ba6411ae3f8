#pragma once
// Small helpers for web tests: evaluate a script in a page and wait for the answer.

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace vt::test {

// The script's value, or the string "<timeout>" when the page did not answer in time.
inline QVariant evaluate(QWebEnginePage *page, const QString &script, int timeoutMs = 10000,
                         quint32 world = QWebEngineScript::MainWorld)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, world, [answer](const QVariant &v) { *answer = v; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, timeoutMs))
        return QStringLiteral("<timeout>");
    return **answer;
}

}   // namespace vt::test
