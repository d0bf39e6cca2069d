// The real window under seeded random use: keys of every kind into the boxes and the grid, pastes, Calculate,
// the check box, resizes down to nothing, minimising. After every event the boxes hold what their filters
// admit (or what was pasted) and the current cell lies inside the grid; after every Calculate the summary
// is in view and a fresh window shows the same (CalculateCheck). PELLMARSH_MONKEY_SEED moves the seeds.
#include "app/Form1.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "grid/FlexGrid.h"
#include "tests/app/CalculateCheck.h"

#include <QClipboard>
#include <QKeySequence>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

namespace {
constexpr int kSeeds = 5;
constexpr int kEventsPerSeed = 1000;
// Typed characters (digits twice, so that the boxes often hold figures).
const QString kTyped = u"0123456789.0123456789 -,/:aZ\u00e9\u20ac\u0663"_qs;
// Keys that type no character, and shortcuts, with the text the desktop puts into them.
// clang-format off
const std::array<std::pair<const char*, const char16_t*>, 19> kKeys{{
    {"Backspace", u"\b"}, {"Return", u"\r"}, {"Num+Enter", u"\r"}, {"Esc", u"\x1b"}, {"Tab", u"\t"}, {"Del", u"\x7f"},
    {"Home", u""}, {"Shift+Left", u""}, {"PgDown", u""}, {"\U0001F600", u"\U0001F600"}, {"Alt+A", u"a"},
    {"Alt+-", u"-"}, {"Ctrl+Num+.", u"."}, {"Alt+Shift+Space", u" "}, {"Ctrl+Backspace", u"\x7f"},
    {"Ctrl+Alt+:", u":"}, {"Ctrl+V", u"\x16"}, {"Ctrl+X", u"\x18"}, {"Ctrl+Z", u"\x1a"}}};
// clang-format on
const QStringList kPasted =
    (u"| |.|1.2.3|-5|1e308|\u0436\U0001F600|\t5\t|1/2|:|0.0000000000001|2184|2731|40000|"_qs + QString(400, u'7'))
        .split(u'|');
// Figures a user would enter, four for each box from Text1 to Text6.
const std::array<QStringList, 6> kFigures{{{"30", "15", "2.5", "0.5"},
                                           {"6", "7.25", "3.5", "12"},
                                           {"200000", "150000", "99999.99", "5."},
                                           {"1200", "0", ".5", ""},
                                           {"600", "350.25", "0", ""},
                                           {"2007", "2024", "1999", ""}}};
const QRegularExpression kWhole(QStringLiteral("^[0-9:]*$")), kAmount(QStringLiteral("^[0-9:./]*$"));
} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void seededRandomUseKeepsEveryBoxAndCellInBounds() {
        const auto base = static_cast<quint32>(qEnvironmentVariableIntValue("PELLMARSH_MONKEY_SEED"));
        for (quint32 seed = base + 1; seed <= base + kSeeds; ++seed) {
            QRandomGenerator random(seed);
            const auto pick = [&random](qsizetype bound) { return static_cast<int>(random.bounded(int(bound))); };
            Form1 form;
            form.show();
            const std::array<InputBox*, 6> boxes = CalculateCheck::inputBoxes(form);
            std::array<bool, 6> pasted{};
            for (int event = 0; event < kEventsPerSeed; ++event) {
                const int roll = pick(100);
                const std::size_t box = std::size_t(pick(6));
                QWidget* target = pick(6) == 0 ? static_cast<QWidget*>(form.MSHFlexGrid1) : boxes[box];
                const QString where = QStringLiteral("seed %1 event %2 (%3): ").arg(seed).arg(event).arg(roll);
                if (roll < 50) {
                    const int i = pick(kTyped.size() + qsizetype(kKeys.size()));
                    const auto [keys, text] =
                        i < kTyped.size() ? std::pair{"", u""} : kKeys[std::size_t(i - kTyped.size())];
                    const QKeyCombination key = i < kTyped.size()
                                                    ? QKeyCombination(Qt::Key(kTyped[i].toUpper().unicode()))
                                                    : QKeySequence::fromString(QString::fromUtf8(keys))[0];
                    target->setFocus();
                    QTest::sendKeyEvent(QTest::Click, target, key.key(),
                                        i < kTyped.size() ? kTyped.mid(i, 1) : QString::fromUtf16(text),
                                        key.keyboardModifiers());
                } else if (roll < 66) {
                    const bool figure = pick(3) != 0;
                    QApplication::clipboard()->setText(figure ? kFigures[box][pick(4)] : kPasted[pick(kPasted.size())]);
                    boxes[box]->setFocus();
                    if (figure || pick(2) != 0)
                        boxes[box]->selectAll();
                    QTest::keyClick(boxes[box], Qt::Key_Insert, Qt::ShiftModifier);
                    pasted[box] = true;
                } else if (roll < 80) {
                    const QString wrong = CalculateCheck::againstFresh(form);
                    QVERIFY2(wrong.isEmpty(), qPrintable(where + wrong));
                    QCOMPARE(form.MSHFlexGrid1->verticalScrollBar()->value(), 0); // the summary in view
                    CalculateCheck::boxes();
                } else if (roll < 86) {
                    QTest::mouseClick(form.Check1, Qt::LeftButton);
                } else if (roll < 96) {
                    form.resize(pick(1200), pick(900));
                } else {
                    roll == 96 ? form.showMinimized() : form.showNormal();
                }
                QCoreApplication::processEvents();
                QVERIFY2(CalculateCheck::boxes().isEmpty(), qPrintable(where + "a message box"));
                QVERIFY2(form.Text3->text().toUcs4().size() <= 12, qPrintable(where + form.Text3->text()));
                for (std::size_t i = 0; i < boxes.size(); ++i) {
                    pasted[i] = pasted[i] && !boxes[i]->text().isEmpty();
                    QVERIFY2(pasted[i] || (i == 0 || i == 5 ? kWhole : kAmount).match(boxes[i]->text()).hasMatch(),
                             qPrintable(where + boxes[i]->text()));
                }
                const FlexGrid& g = *form.MSHFlexGrid1;
                QVERIFY2(QRect(0, 0, g.cols(), g.rows()).contains(g.col(), g.row()),
                         qPrintable(where + QStringLiteral("cell %1,%2").arg(g.row()).arg(g.col())));
            }
        }
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
