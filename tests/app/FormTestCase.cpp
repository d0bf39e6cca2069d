#include "FormTestCase.h"

#include "FlexGrid.h"
#include "InputBox.h"

#include <QPushButton>
#include <QTest>

void FormTestCase::init() {
    m_boxes = std::make_unique<ModalWatcher>();
    m_form = std::make_unique<Form1>();
    m_beeps = 0;
    m_form->setBeeper([this] { ++m_beeps; });
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void FormTestCase::cleanup() {
    const QString leftOver = m_boxes->describePending();
    m_form.reset();
    m_boxes.reset();
    QVERIFY2(leftOver.isEmpty(), qPrintable(QStringLiteral("unexpected message box: ") + leftOver));
}

void FormTestCase::type(QWidget& box, const QString& text) {
    box.setFocus(Qt::TabFocusReason);
    QTest::keyClicks(&box, text);
}

void FormTestCase::calculate() {
    QTest::mouseClick(m_form->Command1, Qt::LeftButton);
}

void FormTestCase::typeLoan() {
    type(*m_form->Text1, QStringLiteral("30"));
    type(*m_form->Text2, QStringLiteral("6"));
    type(*m_form->Text3, QStringLiteral("200000"));
}

QStringList FormTestCase::rowTexts(int row) {
    return {m_form->MSHFlexGrid1->textAt(row, 0), m_form->MSHFlexGrid1->textAt(row, 1)};
}
