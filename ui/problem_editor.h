#pragma once

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>

#include <functional>
#include <vector>

#include "problem/model_format.h"
#include "ui/editor_formats.h"
#include "ui/line_numbered_edit.h"
#include "ui/message_sink.h"
#include "ui/text_check.h"

class TForm1;

// The problem editor: a window in which a new problem is written or a problem file or model is
// edited, checked by the readers the main window uses, saved as UTF-8 and solved in the main
// window. It is a window of its own over the main window and deletes itself when it is closed.
class ProblemEditor : public QMainWindow {
    Q_OBJECT

public:
    enum class UnsavedAnswer { save, discard, cancel };

    // The questions the editor asks; the program asks them in dialogs, the tests answer them.
    struct Dialogs {
        // The name to save under, the suggestion first; empty when the user gives none.
        std::function<QString(QWidget* parent, const QString& suggestion, const EditorFormat& format)> save_name;
        // What to do with unsaved changes of the named text before the window closes or opens another file.
        std::function<UnsavedAnswer(QWidget* parent, const QString& name)> unsaved_changes;
        // The file to open, chosen in `folder` among the filters; empty when the user chooses none.
        std::function<QString(QWidget* parent, const QString& caption, const QString& folder, const QString& filters)>
            open_name;

        static Dialogs real();
    };

    ProblemEditor(TForm1& main_window, MessageSink& messages, Dialogs dialogs = Dialogs::real());

    // A new, unnamed text: the template of the format.
    void start_new(const EditorFormat& format);
    void start_new(ModelFormat format) { start_new(editor_format(format)); }
    // Edits a file (UTF-8 or Windows-1251) in the format its extension names, a MathProg model with the
    // .dat beside it as its data file; false, after a message, when it cannot be read.
    bool open_file(const QString& file_name);
    // "Открыть…": any file, chosen in the open dialog, once unsaved changes are saved or given up.
    bool open_chosen_file();
    // A MathProg model's data file (empty: none), with which the check and "Решить" read the model.
    void set_data_file(const QString& file_name);
    QString data_file() const;

    // "Проверить": reads the text as the main window would and lists its faults; true when it has none.
    // A model is read beside the windows, by the main window, and can be stopped there.
    bool check();
    // "Сохранить": writes the text as UTF-8 to its file, asking for a name when it has none (or
    // when the file's extension names another format); false when nothing was written.
    bool save();
    // "Сохранить как…".
    bool save_as();
    // "Решить": saves the text, checks it, then loads it in the main window as "Загрузить данные"
    // does and solves it there.
    void solve();

    // How the main window reads the text: its format, and the entry of the format list chosen.
    ModelFormat format() const { return edited_format().format; }
    const EditorFormat& edited_format() const;
    QString file_name() const { return file_name_; }  // absolute; empty for a new text

    // --- Controls ---
    QComboBox* FormatBox;
    LineNumberedEdit* TextEdit;
    QListWidget* FaultList;   // one item per fault; the item's data is its line (0: none)
    QLineEdit* DataFileEdit;  // a MathProg model's data file; open only for that format
    QAction* OpenAction;
    QAction* ChooseDataAction;
    QAction* CheckAction;
    QAction* SaveAction;
    QAction* SaveAsAction;
    QAction* SolveAction;
    QAction* CloseAction;

    Dialogs dialogs;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_actions();
    void build_window();
    void set_format(const EditorFormat& format);
    void format_chosen(int index);
    void choose_data_file();
    void show_data_file_state();
    // Unsaved changes are saved or given up, as the user answers; false when the text is to stay.
    bool may_leave_text();
    void set_text(const QString& text);
    bool write_to(const QString& file_name);
    // The check, shown; a model that loads is kept in it, so that "Решить" does not read it again.
    TextCheck run_check();
    // The text is the file's own: a model is checked in its file, not in a copy.
    bool text_is_saved_model() const;
    void show_faults(const std::vector<TextFault>& faults);
    void go_to_fault(const QListWidgetItem* item);
    void update_title();

    TForm1& main_window_;
    MessageSink& messages_;
    QString file_name_;
    const EditorFormat* shown_format_ = &editor_formats().front();  // the format as last set or chosen
    bool checking_ = false;                                         // a check reads the model meanwhile
    bool close_after_check_ = false;                                // the window was closed while a check went on
};
