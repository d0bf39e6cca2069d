#include "windows/ToolWindow.h"

#include <QLabel>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

ToolWindow::ToolWindow(const QString& name, const QString& message, const MessagePath& messages, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_messages(messages)
    , m_chooseFile(FileChoosers::saveDialog(*this)) {
    setWindowTitle(QStringLiteral("Pellmarsh v1.0 \u2014 %1").arg(name));
    m_pages = new QStackedWidget(this);
    m_message = new QLabel(message, m_pages);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_pages->addWidget(m_message);
    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_pages, 1);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

void ToolWindow::open() {
    show();
    raise();
    activateWindow();
    if (m_firstField && !showsMessage())
        m_firstField->setFocus(Qt::ActiveWindowFocusReason);
}

bool ToolWindow::showsMessage() const {
    return m_pages->currentWidget() == m_message;
}

void ToolWindow::setFiguresPage(QWidget* page) {
    m_pages->addWidget(page);
}

void ToolWindow::showFigures() {
    m_pages->setCurrentIndex(1);
}

void ToolWindow::showMessage() {
    m_pages->setCurrentWidget(m_message);
}
