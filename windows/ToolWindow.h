#pragma once

#include "windows/FileChooser.h"

#include <QWidget>

class MessagePath;
class QLabel;
class QStackedWidget;
class QVBoxLayout;

// A window of the program's own beside the main window, titled "Pellmarsh v1.0 — <name>". Until it is
// given figures it shows a message in their place ("Calculate a loan to see …"). It opens in front with the
// cursor in its first field, Escape closes it, and each failure it meets goes through the message path it
// was given. A window built on it states only its own fields and figures.
class ToolWindow : public QWidget {
    Q_OBJECT

public:
    ToolWindow(const QString& name, const QString& message, const MessagePath& messages, QWidget* parent = nullptr);

    // Shows the window in front and active, the cursor in the first field while the figures show.
    void open();
    // True while the window shows its message instead of its figures.
    bool showsMessage() const;

    const MessagePath& messages() const { return m_messages; }
    const FileChooser& fileChooser() const { return m_chooseFile; }
    // Tests put their own answer here in place of the file dialog.
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

protected:
    // The page of figures, shown in place of the message by showFigures().
    void setFiguresPage(QWidget* page);
    void showFigures();
    void showMessage();
    // The field the cursor is put in when the window opens.
    void setFirstField(QWidget* field) { m_firstField = field; }
    // The window's layout, the pages first; a window may add a row of its own below them.
    QVBoxLayout* windowLayout() const { return m_layout; }

private:
    const MessagePath& m_messages;
    FileChooser m_chooseFile;
    QVBoxLayout* m_layout = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLabel* m_message = nullptr;
    QWidget* m_firstField = nullptr;
};
