#pragma once

#include <QShortcut>
#include <QWidget>

namespace zentrik::gui {

// PgUp and PgDn step through a page's items (fonts, tiles, screens) while the page has focus.
template <class Step> void addPageKeys(QWidget* page, Step step) {
    const struct {
        Qt::Key key;
        int delta;
    } keys[] = {{Qt::Key_PageUp, -1}, {Qt::Key_PageDown, 1}};
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(QKeySequence(k.key), page);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, page,
                         [step, delta = k.delta] { step(delta); });
    }
}

} // namespace zentrik::gui
