#include "tests/app/FormTestCase.h"

#include "app/InputBox.h"

#include <QAbstractButton>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

void FormTestCase::init() {
    connect(&m_answer, &QTimer::timeout, this, [this] {
        // A message box is answered with OK; any other dialog (a print preview) is closed, but for the progress
        // of a long export, which shows on a loaded machine and closes by itself.
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && !qobject_cast<QProgressDialog*>(dialog)) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            m_boxes.append({dialog->windowTitle(), box ? box->text() : QString(),
                            box ? box->icon() : QMessageBox::NoIcon,
                            box ? box->standardButtons() : QMessageBox::StandardButtons(), dialog->windowModality()});
            if (box)
                box->button(QMessageBox::Ok)->click();
            else
                dialog->reject();
        }
    });
    m_answer.start(5);
    m_form = std::make_unique<Form1>();
    m_beeps = 0;
    m_form->setBeeper([this] { ++m_beeps; });
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void FormTestCase::cleanup() {
    m_form.reset();
    m_answer.disconnect();
    const QList<SeenBox> left = takeBoxes();
    QVERIFY2(left.isEmpty(), qPrintable("unexpected message box: " + (left.isEmpty() ? "" : left[0].text)));
}

void FormTestCase::fill(const QStringList& texts) {
    for (qsizetype i = 0; i < texts.size(); ++i)
        m_form->findChild<InputBox*>(QStringLiteral("Text%1").arg(i + 1))->setText(texts[i]);
}

void FormTestCase::calculate() {
    QTest::mouseClick(m_form->Command1, Qt::LeftButton);
}

QStringList FormTestCase::goldenLines(const QString& name) {
    QFile file(QFINDTESTDATA("golden/" + name));
    return file.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).filter(QRegularExpression("^[^#]"))
               : QStringList{"cannot read " + name};
}

QList<QHash<QString, QString>> FormTestCase::goldenTable(const QString& name) {
    QStringList lines = goldenLines(name);
    const QStringList columns = lines.takeFirst().split(u'\t');
    QList<QHash<QString, QString>> rows;
    for (const QString& line : lines) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != columns.size())
            QTest::qFail(qPrintable(name + ": the row \"" + line.left(80) + "\" does not fit the columns"), __FILE__,
                         __LINE__);
        QHash<QString, QString>& row = rows.emplace_back();
        for (qsizetype i = 0; i < columns.size(); ++i)
            row.insert(columns[i], fields.value(i));
    }
    if (rows.isEmpty())
        QTest::qFail(qPrintable(name + " holds no rows"), __FILE__, __LINE__);
    return rows;
}
