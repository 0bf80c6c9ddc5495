#pragma once

class TForm1;
class MessageSink;
class ProblemEditor;

// Adds the editor's commands to the main window's file menu, before "Exit":
// "Новая задача…" (Ctrl+N) and "Редактировать задачу…" (Ctrl+E).
void add_editor_commands(TForm1& window, MessageSink& messages);

// "Новая задача…": an editor with the template of a CPLEX LP model.
ProblemEditor* open_new_problem(TForm1& window, MessageSink& messages);
// "Редактировать задачу…": an editor on the problem loaded last, or else on the file named in the
// window's file box, or else a new problem.
ProblemEditor* open_problem_for_editing(TForm1& window, MessageSink& messages);
