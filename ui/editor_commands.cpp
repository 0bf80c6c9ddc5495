#include "ui/editor_commands.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>

#include "ui/main_form.h"
#include "ui/problem_editor.h"

namespace {

ProblemEditor* show_editor(ProblemEditor* editor) {
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

// The file the window would load: the one named in Edit1, loaded or not, if a file has that name.
QString file_to_edit(const TForm1& window) {
    const QFileInfo named(window.Edit1->text());
    return named.isFile() ? named.absoluteFilePath() : QString();
}

// Closes the open editors before the main window, whose end is theirs: each asks about its unsaved
// changes, and one that is kept open keeps the main window open too.
class EditorsCloseFirst : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close) return false;
        for (ProblemEditor* editor : watched->findChildren<ProblemEditor*>()) {
            if (editor->isVisible() && !editor->close()) {
                event->ignore();
                return true;
            }
        }
        return false;
    }
};

}  // namespace

void add_editor_commands(TForm1& window, MessageSink& messages) {
    auto* new_item = new QAction(QStringLiteral("Новая задача…"), &window);
    new_item->setObjectName(QStringLiteral("NewProblemItem"));
    new_item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    auto* edit_item = new QAction(QStringLiteral("Редактировать задачу…"), &window);
    edit_item->setObjectName(QStringLiteral("EditProblemItem"));
    edit_item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    window.Problem1->addActions({new_item, edit_item});

    window.installEventFilter(new EditorsCloseFirst(&window));

    QObject::connect(new_item, &QAction::triggered, &window,
                     [&window, &messages] { open_new_problem(window, messages); });
    QObject::connect(edit_item, &QAction::triggered, &window,
                     [&window, &messages] { open_problem_for_editing(window, messages); });
}

ProblemEditor* open_new_problem(TForm1& window, MessageSink& messages) {
    return show_editor(new ProblemEditor(window, messages));
}

ProblemEditor* open_problem_for_editing(TForm1& window, MessageSink& messages) {
    auto* editor = new ProblemEditor(window, messages);
    const QString file = file_to_edit(window);
    if (file.isEmpty()) return show_editor(editor);
    if (!editor->open_file(file)) {
        delete editor;
        return nullptr;
    }
    if (const QString data = window.data_file_name(); !data.isEmpty())
        editor->set_data_file(QFileInfo(data).absoluteFilePath());
    show_editor(editor);
    // Its faults listed at once, as the load found them.
    editor->check();
    return editor;
}
