#include "ui/escape_key.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

// Before any shortcut is tried, its key is offered to the focus widget; an accepted offer keeps the
// shortcuts out, and the key press goes to the popup.
class EscapeToPopups : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride && QApplication::activePopupWidget() != nullptr) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) event->accept();
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void give_escape_to_popups_first() {
    const QString name = QStringLiteral("EscapeToPopups");
    if (qApp == nullptr || qApp->findChild<QObject*>(name, Qt::FindDirectChildrenOnly) != nullptr) return;
    auto* filter = new EscapeToPopups(qApp);
    filter->setObjectName(name);
    qApp->installEventFilter(filter);
}
