// The main window's commands about the solution of its latest run.

#include "ui/main_form.h"

void TForm1::ShowSolution() {
    if (!last_run_) return;
}
