#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every box any window of the program shows goes through here: the main window's messages and errors,
// and the failures of the windows around it (a file that could not be written, a printer that would not
// start). The main window owns the one path and hands it to each window it opens. The command line and
// the tests put a sink in its place, so that they see each box instead of a dialog waiting for OK.
class MessagePath {
public:
    // An error box carries the error icon; a message box none.
    enum class Kind { Message, Error };
    using Sink = std::function<void(Kind kind, const QString& title, const QString& text)>;

    // A modal box on `window` with the text in plain letters, the title and an OK button only, returning
    // when the user has pressed OK; or, while a sink is set, the sink's call in its place.
    void show(QWidget& window, Kind kind, const QString& title, const QString& text) const noexcept;
    // An error box titled with the window's own title.
    void report(QWidget& window, const QString& text) const noexcept;

    // An empty sink shows the boxes again.
    void setSink(Sink sink) { m_sink = std::move(sink); }

private:
    Sink m_sink;
};
