#include "app/ScriptMode.h"

#include "app/EventBoundary.h"
#include "app/ExportActions.h"
#include "app/Form1.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "export/GridCsv.h"
#include "export/PdfExport.h"
#include "export/PrintLayout.h"
#include "export/TableExport.h"
#include "grid/FlexGrid.h"
#include "loan/LoanInput.h"
#include "whatif/ExtraOptions.h"
#include "whatif/ExtraScheduleModel.h"
#include "whatif/WhatIfText.h"

#include <QCommandLineParser>
#include <QFile>
#include <QLocale>
#include <QPushButton>

#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The inputs, each with the box it is put into; the help names the box by the label the window shows.
struct InputOption {
    const char* name;
    const char* valueName;
    const LoanInput* input;
    const char* accepts;
    InputBox* Form1::*box;
};

constexpr std::array<InputOption, 6> kInputOptions{{
    {"years", "YEARS", &LoanInputs::kLength,
     "the length of the loan in years; a fraction such as 2.5 works too, as when pasted into the box.", &Form1::Text1},
    {"rate", "PERCENT", &LoanInputs::kRate, "the annual interest rate in percent, above 0, such as 6 or 5.25.",
     &Form1::Text2},
    {"principal", "AMOUNT", &LoanInputs::kPrincipal, "the amount borrowed, at most 12 characters.", &Form1::Text3},
    {"tax", "AMOUNT", &LoanInputs::kTax, "the annual property tax and other expenses; 0 when left out.", &Form1::Text4},
    {"insurance", "AMOUNT", &LoanInputs::kInsurance, "the annual insurance; 0 when left out.", &Form1::Text5},
    {"start-year", "YEAR", &LoanInputs::kStartYear,
     "the year of the first payment, such as 2007; this year when left out.", &Form1::Text6},
}};

QString describe(const InputOption& option) {
    return QStringLiteral("\"%1\": %2")
        .arg(QString::fromLatin1(option.input->label), QString::fromLatin1(option.accepts));
}

void printTo(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int usageError(const QCommandLineParser& parser, const QString& error) {
    printTo(stderr, QStringLiteral("pellmarsh: %1\n\n%2").arg(error, parser.helpText()));
    return kExitUsage;
}

// Every box the window would show goes to standard error instead; the handler goes on as after OK.
bool g_boxShown = false;
void printBox(const QString& /*title*/, const QString& text) {
    g_boxShown = true;
    printTo(stderr, text + u'\n');
}

// Takes --csv=FILE apart, since QCommandLineParser gives a flag no value.
QStringList splitCsvValue(const QStringList& arguments, QString& csvValue, bool& csvValueGiven) {
    const QString prefix = QStringLiteral("--csv=");
    QStringList split;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--"))
            break;
        if (argument.startsWith(prefix)) {
            if (csvValueGiven)
                return {}; // given twice
            csvValue = argument.mid(prefix.size());
            csvValueGiven = true;
            split << QStringLiteral("--csv");
        } else {
            split << argument;
        }
    }
    for (qsizetype i = split.size(); i < arguments.size(); ++i)
        split << arguments[i];
    return split;
}

bool writeStandardOutput(const QByteArray& bytes) {
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush();
}

// The schedule of the window's last Calculate worked out again with the extras: its comparison on standard
// output, and its table as CSV (to a file, or standard output when the file is empty or "-") or PDF.
int writeWithExtras(const Form1& form, const ExtraPayments& extras, bool summary, const std::optional<QString>& csvFile,
                    const std::optional<QString>& pdfFile) {
    const std::optional<Schedule>& loan = form.lastSchedule();
    if (!loan) {
        printTo(stderr, QStringLiteral("The loan gives no schedule to work the extra payments into.\n"));
        return kExitFailed;
    }
    ExtraScheduleModel model;
    model.setSchedule(ExtraSchedule::compute(*loan, extras));
    const ExtraSchedule& schedule = model.schedule();
    if (schedule.error) {
        printTo(stderr, schedule.error->userText() + u'\n');
        return kExitFailed;
    }
    for (const std::size_t index : schedule.lumpsOutside) {
        const LumpSum& lump = extras.lumps[index];
        printTo(stderr, QStringLiteral("pellmarsh: --lump %1-%2 falls outside the loan; it is left out.\n")
                            .arg(lump.year)
                            .arg(lump.month, 2, 10, QChar(u'0')));
    }
    if (summary) {
        const QStringList lines =
            WhatIfText::summaryLines(WhatIfText::comparison(LoanOutcome::of(*loan), schedule.outcome()));
        printTo(stdout, lines.join(u'\n') + u'\n');
    }
    if (pdfFile) {
        const PdfExport::Outcome outcome =
            TableExport::writePdf(model, QStringLiteral("Loan schedule with extra payments"), *pdfFile,
                                  PrintLayout::pageLayoutFor(QLocale()));
        if (outcome.status != PdfExport::Outcome::Status::Written) {
            printTo(stderr, ExportActions::failureText(*pdfFile, outcome.reason) + u'\n');
            return kExitFailed;
        }
    }
    if (!csvFile)
        return 0;
    if (csvFile->isEmpty() || *csvFile == QStringLiteral("-")) {
        if (summary)
            printTo(stdout, QStringLiteral("\n"));
        if (!writeStandardOutput(TableExport::csv(model))) {
            printTo(stderr, QStringLiteral("Could not write the standard output.\n"));
            return kExitFailed;
        }
        return 0;
    }
    if (const QString reason = TableExport::saveCsv(model, *csvFile); !reason.isEmpty()) {
        printTo(stderr, ExportActions::failureText(*csvFile, reason) + u'\n');
        return kExitFailed;
    }
    return 0;
}

} // namespace

bool ScriptMode::requested(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strncmp(argument, "--", 2) == 0 || std::strcmp(argument, "-h") == 0 ||
            std::strcmp(argument, "-v") == 0 || std::strcmp(argument, "-?") == 0)
            return true;
    }
    return false;
}

int ScriptMode::run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Works out a home loan's monthly payment and schedule, as the window's Calculate does, and "
                       "writes the grid as CSV or PDF. Each value goes into the box of the window named below, as a "
                       "paste would put it; --years, --rate and --principal must be given. A number is digits with at "
                       "most one decimal point (5, .5, 5.25): no sign, exponent, digit grouping or currency sign."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const InputOption& input : kInputOptions)
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(input.name), describe(input), QString::fromLatin1(input.valueName)));
    const QCommandLineOption noSchedule(
        QStringLiteral("no-schedule"),
        QStringLiteral("Only the payment summary, without the month-by-month schedule."));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Write the grid as CSV to FILE (or --csv=FILE); to standard output "
                                                "when FILE is left out or is -."));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("Write the grid as a PDF to FILE."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption extraMonthly(
        QStringLiteral("extra-monthly"),
        QStringLiteral("Pay AMOUNT more every month, from the first payment or from the month YYYY-MM on. With any "
                       "extra, --csv and --pdf write the schedule with extras instead of the grid."),
        QStringLiteral("AMOUNT[@YYYY-MM]"));
    const QCommandLineOption extraYearly(QStringLiteral("extra-yearly"),
                                         QStringLiteral("Pay AMOUNT more once a year, in month MM (1 to 12; 12 when "
                                                        "left out)."),
                                         QStringLiteral("AMOUNT[@MM]"));
    const QCommandLineOption lump(
        QStringLiteral("lump"), QStringLiteral("Pay AMOUNT once, with the payment of month YYYY-MM; may be repeated."),
        QStringLiteral("YYYY-MM=AMOUNT"));
    const QCommandLineOption payLess(QStringLiteral("pay-less"),
                                     QStringLiteral("Keep the end date and pay less after each extra, instead of "
                                                    "keeping the payment and finishing sooner."));
    const QCommandLineOption summary(
        QStringLiteral("summary"),
        QStringLiteral("Print the loan as calculated beside the loan with the extras, as \"name: value\" lines: "
                       "payment, payments, last payment, interest, total paid, interest and time saved."));
    parser.addOptions({noSchedule, csv, pdf, extraMonthly, extraYearly, lump, payLess, summary});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The CSV file, with --csv."),
                                 QStringLiteral("[FILE]"));

    QString csvFile;
    bool csvValueGiven = false;
    const QStringList split = splitCsvValue(arguments, csvFile, csvValueGiven);
    if (split.isEmpty())
        return usageError(parser, QStringLiteral("--csv=FILE is given more than once."));
    if (!parser.parse(split))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        printTo(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        printTo(stdout, QStringLiteral("pellmarsh %1\n").arg(QStringLiteral(PELLMARSH_VERSION)));
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    const bool wantsSummary = parser.isSet(summary);
    if (parser.isSet(csv) && parser.isSet(pdf))
        return usageError(parser, QStringLiteral("Give either --csv or --pdf."));
    if (!parser.isSet(csv) && !parser.isSet(pdf) && !wantsSummary)
        return usageError(parser, QStringLiteral("Give --csv, --pdf or --summary."));
    ExtraPayments extras;
    for (const QString& value : parser.values(extraMonthly)) {
        if (const QString problem = ExtraOptions::readMonthly(value, extras); !problem.isEmpty())
            return usageError(parser, problem);
    }
    for (const QString& value : parser.values(extraYearly)) {
        if (const QString problem = ExtraOptions::readYearly(value, extras); !problem.isEmpty())
            return usageError(parser, problem);
    }
    for (const QString& value : parser.values(lump)) {
        if (const QString problem = ExtraOptions::readLump(value, extras); !problem.isEmpty())
            return usageError(parser, problem);
    }
    if (parser.isSet(payLess))
        extras.effect = ExtraPayments::Effect::PayLess;
    const bool withExtras = wantsSummary || parser.isSet(extraMonthly) || parser.isSet(extraYearly) ||
                            parser.isSet(lump) || parser.isSet(payLess);
    if (withExtras && parser.isSet(noSchedule))
        return usageError(parser,
                          QStringLiteral("Extra payments and --summary need the schedule: leave out --no-schedule."));
    if (positional.size() > (parser.isSet(csv) && !csvValueGiven ? 1 : 0))
        return usageError(parser, QStringLiteral("Unexpected argument: %1").arg(positional.last()));
    if (!positional.isEmpty())
        csvFile = positional.first();

    // The window is loaded as when it opens, but never shown; the texts go in as a paste would put them,
    // so the principal's 12-character rule still applies.
    Form1 form;
    form.setBeeper({});
    form.ensurePolished();
    for (const InputOption& input : kInputOptions) {
        const QString name = QString::fromLatin1(input.name);
        if (parser.isSet(name))
            (form.*input.box)->setText(parser.value(name));
    }
    if (parser.isSet(noSchedule))
        form.Check1->setValue(0);

    g_boxShown = false;
    EventBoundary::setBoxSink(printBox);
    form.Command1->click();
    EventBoundary::setBoxSink(nullptr);
    if (g_boxShown)
        return kExitFailed;

    if (withExtras)
        return writeWithExtras(form, extras, wantsSummary, parser.isSet(csv) ? std::optional(csvFile) : std::nullopt,
                               parser.isSet(pdf) ? std::optional(parser.value(pdf)) : std::nullopt);

    const FlexGrid& grid = *form.MSHFlexGrid1;
    if (parser.isSet(pdf)) {
        const QString path = parser.value(pdf);
        const PdfExport::Outcome outcome = PdfExport::write(grid, path, PrintLayout::pageLayoutFor(QLocale()));
        if (outcome.status != PdfExport::Outcome::Status::Written) {
            printTo(stderr, ExportActions::failureText(path, outcome.reason) + u'\n');
            return kExitFailed;
        }
        return 0;
    }
    if (csvFile.isEmpty() || csvFile == QStringLiteral("-")) {
        if (!writeStandardOutput(GridCsv::document(*grid.gridModel()))) {
            printTo(stderr, QStringLiteral("Could not write the standard output.\n"));
            return kExitFailed;
        }
        return 0;
    }
    const QString reason = GridCsv::save(*grid.gridModel(), csvFile);
    if (!reason.isEmpty()) {
        printTo(stderr, ExportActions::failureText(csvFile, reason) + u'\n');
        return kExitFailed;
    }
    return 0;
}
