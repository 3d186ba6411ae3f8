#pragma once
// Runs a stretch of a test in one interface language and puts the run's language back afterwards,
// so that one test program can check the texts of both languages.
//
//   { LanguageScope korean(true); QCOMPARE(status.label(), "로그인됨"); }
//   QCOMPARE(inLanguage(false, [&] { return status.label(); }), "Signed in");
//   QCOMPARE(status.label(), byLanguage("로그인됨", "Signed in"));   // in the run's language

#include "Base/Lang.h"

#include <utility>

class LanguageScope {
public:
    explicit LanguageScope(bool korean)
        : m_before(Lang::system())
    {
        Lang::use(korean);
    }
    ~LanguageScope() { Lang::use(m_before); }
    LanguageScope(const LanguageScope &) = delete;
    LanguageScope &operator=(const LanguageScope &) = delete;

private:
    bool m_before;
};

// The expected text of the run's language, for tests that run in either language.
inline QString byLanguage(const QString &korean, const QString &english)
{
    return Lang::system() ? korean : english;
}

// What `make()` returns while the run's language is Korean (true) or English (false).
template <typename Make>
auto inLanguage(bool korean, Make &&make)
{
    LanguageScope scope(korean);
    return std::forward<Make>(make)();
}
