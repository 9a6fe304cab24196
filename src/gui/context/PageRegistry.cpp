#include "context/PageRegistry.h"

#include <map>

namespace zentrik::gui {

namespace {

// Function-local so that registrations from other files' static objects find it built.
std::map<QString, PageFactory>& registry() {
    static std::map<QString, PageFactory> pages;
    return pages;
}

} // namespace

PageRegistration::PageRegistration(const char* pageClass, PageFactory factory) {
    registerPage(QString::fromLatin1(pageClass), std::move(factory));
}

void registerPage(const QString& pageClass, PageFactory factory) {
    registry()[pageClass] = std::move(factory);
}

bool hasPage(const QString& pageClass) {
    return registry().count(pageClass) != 0;
}

QWidget* createPage(const QString& pageClass, AppContext& context, QWidget* parent) {
    QWidget* page = nullptr;
    if (auto it = registry().find(pageClass); it != registry().end() && it->second)
        page = it->second(context, parent);
    if (!page)
        page = new QWidget(parent);
    page->setObjectName(pageClass);
    return page;
}

} // namespace zentrik::gui
