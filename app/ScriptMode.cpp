#include "app/ScriptMode.h"

#include "app/Form1.h"
#include "app/InputBox.h"
#include "app/WrappingCheckBox.h"
#include "compare/CompareOptions.h"
#include "export/GridCsv.h"
#include "export/PdfExport.h"
#include "export/PrintLayout.h"
#include "grid/FlexGrid.h"
#include "lender/LenderOptions.h"
#include "loan/LoanInput.h"
#include "whatif/WhatIfOptions.h"
#include "windows/ScriptOutput.h"

#include <QCommandLineParser>
#include <QLocale>
#include <QPushButton>

#include <array>
#include <cstring>

namespace {

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

// A malformed command line is told in one line, with a pointer to the help, as command-line programs do.
int usageError(const QString& error) {
    ScriptOutput::printError(
        QStringLiteral("pellmarsh: %1\nTry 'pellmarsh --help' for more information.\n").arg(error));
    return ScriptOutput::kExitUsage;
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

// Whether the command line gives any of the window's options that another does not read as its own.
bool givesOwnOptions(const QCommandLineParser& parser, const WindowOptions& window, const QStringList& borrowed) {
    const QList<QCommandLineOption> options = window.options();
    return std::any_of(options.begin(), options.end(), [&](const QCommandLineOption& option) {
        return parser.isSet(option) && !borrowed.contains(option.names().constFirst());
    });
}

// The grid as the window shows it: CSV as its clipboard's cells, PDF as it prints.
ScriptOutput::Table gridTable(const FlexGrid& grid) {
    return {
        [&grid] { return GridCsv::document(*grid.gridModel()); },
        [&grid](const QString& path) { return GridCsv::save(*grid.gridModel(), path); },
        [&grid](const QString& path) { return PdfExport::write(grid, path, PrintLayout::pageLayoutFor(QLocale())); }};
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
    parser.addOptions({noSchedule, csv, pdf});
    // Each window brings its own options; the first whose options are given writes the output.
    CompareOptions compare;
    LenderOptions lender;
    WhatIfOptions whatIf;
    const std::array<WindowOptions*, 3> windows{&compare, &lender, &whatIf};
    for (const WindowOptions* window : windows)
        parser.addOptions(window->options());
    const QCommandLineOption summary(
        QStringLiteral("summary"),
        QStringLiteral("Print the loan as calculated beside the loan with the extras, as \"name: value\" lines: "
                       "payment, payments, last payment, interest, total paid, interest and time saved. With the "
                       "lender's options, the lender's figures: payment, number of payments, first and last payment, "
                       "the last payment's amount, total interest, total paid and the balance after --balance-after."));
    parser.addOption(summary);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The CSV file, with --csv."),
                                 QStringLiteral("[FILE]"));

    QString csvFile;
    bool csvValueGiven = false;
    const QStringList split = splitCsvValue(arguments, csvFile, csvValueGiven);
    if (split.isEmpty())
        return usageError(QStringLiteral("--csv=FILE is given more than once."));
    if (!parser.parse(split))
        return usageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        ScriptOutput::printOut(parser.helpText());
        return ScriptOutput::kExitDone;
    }
    if (parser.isSet(version)) {
        ScriptOutput::printOut(QStringLiteral("pellmarsh %1\n").arg(QStringLiteral(PELLMARSH_VERSION)));
        return ScriptOutput::kExitDone;
    }
    const QStringList positional = parser.positionalArguments();
    ScriptOutput output;
    output.summary = parser.isSet(summary);
    if (parser.isSet(csv) && parser.isSet(pdf))
        return usageError(QStringLiteral("Give either --csv or --pdf."));
    if (!parser.isSet(csv) && !parser.isSet(pdf) && !output.summary)
        return usageError(QStringLiteral("Give --csv, --pdf or --summary."));
    WindowOptions* chosen = nullptr;
    for (WindowOptions* window : windows) {
        if (const QString problem = window->read(parser); !problem.isEmpty())
            return usageError(problem);
        if (chosen && chosen->isGiven(parser) && givesOwnOptions(parser, *window, chosen->borrowed()))
            return usageError(QStringLiteral("The options of %1 and of %2 cannot be combined: give those of one.")
                                  .arg(chosen->name(), window->name()));
        if (!chosen && (window->isGiven(parser) || (output.summary && window->takesSummaryAlone())))
            chosen = window;
    }
    if (chosen && parser.isSet(noSchedule))
        return usageError(
            QStringLiteral("%1 need the schedule: leave out --no-schedule.").arg(chosen->needsSchedule()));
    if (positional.size() > (parser.isSet(csv) && !csvValueGiven ? 1 : 0))
        return usageError(QStringLiteral("Unexpected argument: %1").arg(positional.last()));
    if (!positional.isEmpty())
        csvFile = positional.first();
    if (parser.isSet(csv))
        output.csvFile = csvFile;
    if (parser.isSet(pdf))
        output.pdfFile = parser.value(pdf);

    // The window is loaded as when it opens, but never shown; the texts go in as a paste would put them,
    // so the principal's 12-character rule still applies. Every box it would show goes to standard error
    // instead, and the handler goes on as after OK.
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
    bool boxShown = false;
    form.messages().setSink([&boxShown](MessagePath::Kind, const QString&, const QString& text) {
        boxShown = true;
        ScriptOutput::printError(text + u'\n');
    });
    form.Command1->click();
    form.messages().setSink({});
    if (boxShown)
        return ScriptOutput::kExitFailed;

    if (chosen)
        return chosen->run(form.lastSchedule(), output);
    return output.write(gridTable(*form.MSHFlexGrid1));
}
