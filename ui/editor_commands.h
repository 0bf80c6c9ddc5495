#pragma once

class TForm1;
class MessageSink;
class ProblemEditor;

// Adds the editor's commands to the main window's file menu, before "Exit":
// "Новая задача…" (Ctrl+N) and "Редактировать задачу…" (Ctrl+E).
void add_editor_commands(TForm1& window, MessageSink& messages);

// "Новая задача…": an editor with the template of a CPLEX LP model.
ProblemEditor* open_new_problem(TForm1& window, MessageSink& messages);
// "Редактировать задачу…": an editor on the file named in the window's file box, loaded or not, with its
// data file and its faults listed, or else on a new problem.
ProblemEditor* open_problem_for_editing(TForm1& window, MessageSink& messages);
