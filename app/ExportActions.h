#pragma once

#include <QObject>
#include <QString>

#include "windows/FileChooser.h"

class Form1;
class QKeySequence;

// The grid's ways out of the program, on its context menu: Save as CSV… (Ctrl+S), Print… (Ctrl+P) and
// Export as PDF…. The two shortcuts work anywhere in the window; in an input box the key never reaches
// the box, so its control character is not typed there.
class ExportActions : public QObject {
    Q_OBJECT

public:
    explicit ExportActions(Form1& form);

    // Tests put their own answer here in place of the file dialog.
    void setFileChooser(FileChooser chooser);

    void saveCsv();
    void print();
    void exportPdf();

    // loan-schedule.<suffix> in the user's documents folder.
    static QString proposedPath(const QString& suffix);

private:
    void addAction(const QString& text, const QKeySequence& shortcut, void (ExportActions::*handler)());
    void reportFailure(const QString& path, const QString& reason);

    Form1& m_form;
    FileChooser m_chooseFile;
};
