#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class MessageSink;
class TForm1;
struct VariantSetRequest;

// «Варианты…»: a set of variants for a class, as qtb-solve --variants makes it: the count, the seed,
// the shape or a template, the folder. «Составить» writes the set and tells what was written.
class VariantsDialog : public QDialog {
public:
    VariantsDialog(QWidget* parent, MessageSink& messages);

    // What the controls ask for.
    VariantSetRequest request() const;
    // Makes and writes the set; true when it was written (the message tells either way).
    bool make();

    QSpinBox* Count;
    QLineEdit* Seed;
    QSpinBox* Rows;
    QSpinBox* Columns;
    QComboBox* Sense;
    QCheckBox* LessEqual;
    QCheckBox* GreaterEqual;
    QCheckBox* Equal;
    QComboBox* Artificial;
    QSpinBox* Iterations;  // 0: one per row
    QComboBox* Numbers;
    QLineEdit* Template;
    QLineEdit* Folder;
    QCheckBox* Force;

private:
    void show_template_state();

    MessageSink& messages_;
};

// Adds «Варианты…» to the window's problem menu.
void add_variants_command(TForm1& window, MessageSink& messages);
