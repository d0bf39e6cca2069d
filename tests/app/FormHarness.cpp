#include "FormHarness.h"

#include "FlexGrid.h"

#include <QPushButton>
#include <QTest>

FormHarness::FormHarness()
    : m_form(std::make_unique<Form1>()) {
    m_form->setBeeper([this] { ++m_beeps; });
    m_form->show();
    m_form->activateWindow();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("the window did not become active");
}

FormHarness::~FormHarness() = default;

void FormHarness::type(QWidget& box, const QString& text) {
    box.setFocus(Qt::TabFocusReason);
    QTest::keyClicks(&box, text);
}

void FormHarness::calculate() {
    QTest::mouseClick(m_form->Command1, Qt::LeftButton);
}

QString cellText(Form1& form, int row, int col) {
    return form.MSHFlexGrid1->textAt(row, col);
}
