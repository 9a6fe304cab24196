#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace zentrik::gui {

class AppContext;

// Builds the widget of one page of the main window, named by its page class ("CPropMapEdit").
using PageFactory = std::function<QWidget*(AppContext& context, QWidget* parent)>;

// Pages register themselves from their own file, so adding a page touches no shared list:
//     static PageRegistration reg("CPropMapEdit", [](AppContext& c, QWidget* p) { ... });
struct PageRegistration {
    PageRegistration(const char* pageClass, PageFactory factory);
};

void registerPage(const QString& pageClass, PageFactory factory);
bool hasPage(const QString& pageClass);
// The registered page, or an empty placeholder while the page does not exist yet. Either way
// its objectName is the page class.
QWidget* createPage(const QString& pageClass, AppContext& context, QWidget* parent);

} // namespace zentrik::gui
