#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QAbstractItemModel;
class QPushButton;
class ToolWindow;

// The ways a window's table leaves the program, as a row of buttons under it: Copy (tab-separated text and
// HTML), Save as CSV…, Print… and Export as PDF…, on the page size the desktop's locale uses (Letter where
// the locale's territory uses it, A4 elsewhere), as the main grid prints. A file that could not be written,
// or a printer that would not start, is told through the window's message path.
class TableActions : public QWidget {
    Q_OBJECT

public:
    // `what` names the table in the file dialogs' titles ("the schedule with extras"); `fileStem` is the
    // proposed file's name ("what-if-schedule"); `title` gives the text printed above the first page's rows.
    TableActions(const QAbstractItemModel& model, const QString& what, const QString& fileStem,
                 std::function<QString()> title, ToolWindow& window);

    void copy();
    void saveCsv();
    void print();
    void exportPdf();

    QPushButton* copyButton = nullptr;
    QPushButton* csvButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* pdfButton = nullptr;

private:
    QString chooseFile(const QString& verb, const QString& suffix, const QString& filter) const;

    const QAbstractItemModel& m_model;
    QString m_what;
    QString m_fileStem;
    std::function<QString()> m_title;
    ToolWindow& m_window;
};
