#include "ui/menu_keys.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <utility>

namespace {

bool some_command_has(const QList<QAction*>& actions, const QKeySequence& keys) {
    for (const QAction* action : actions) {
        // A menu's title is no command: its key stays the line edit's.
        if (const QMenu* menu = action->menu()) {
            if (some_command_has(menu->actions(), keys)) return true;
        } else if (action->isEnabled() && action->shortcuts().contains(keys)) {
            return true;
        }
    }
    return false;
}

class MenuKeysPass : public QObject {
public:
    MenuKeysPass(QObject* parent, const QList<QMenuBar*>& bars) : QObject(parent) {
        for (QMenuBar* bar : bars) bars_.push_back(bar);
    }

protected:
    // A shortcut override the line edit does not accept goes to the shortcut's command.
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        const QKeySequence keys(static_cast<const QKeyEvent*>(event)->keyCombination());
        for (const QPointer<QMenuBar>& bar : bars_) {
            if (bar && some_command_has(bar->actions(), keys)) {
                event->ignore();
                return true;
            }
        }
        return false;
    }

private:
    QList<QPointer<QMenuBar>> bars_;
};

}  // namespace

void let_menu_keys_pass(QLineEdit* edit, const QList<QMenuBar*>& bars) {
    edit->installEventFilter(new MenuKeysPass(edit, bars));
}
