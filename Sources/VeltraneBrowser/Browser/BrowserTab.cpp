#include "Browser/BrowserTab.h"

BrowserTab::BrowserTab(BrowserPage *page, QObject *parent)
    : QObject(parent)
    , m_page(page)
{
    page->setParent(this);
}
