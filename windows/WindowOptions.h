#pragma once

#include "loan/Schedule.h"
#include "windows/ScriptOutput.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QCommandLineParser;

// A window's own command-line options: it declares them, reads them and writes what they ask for, from the
// loan the main window calculated. The program's entry point only asks each window in turn.
class WindowOptions {
public:
    virtual ~WindowOptions() = default;

    // The window's output in the words of a message: "the lender's schedule".
    virtual QString name() const = 0;
    // In the order --help lists them.
    virtual QList<QCommandLineOption> options() const = 0;
    // Whether the command line gives any of them.
    virtual bool isGiven(const QCommandLineParser& parser) const = 0;
    // Other windows' options this one reads as its own when it writes the output ("rate-change").
    virtual QStringList borrowed() const { return {}; }
    // Whether --summary alone, with no window's options, asks for this window's figures.
    virtual bool takesSummaryAlone() const { return false; }
    // What needs the calculated schedule, for the message when --no-schedule leaves it out ("Extra payments").
    virtual QString needsSchedule() const = 0;
    // Reads the values given: what is wrong with the first that is malformed, naming its option, or an empty text.
    virtual QString read(const QCommandLineParser& parser) = 0;
    // Writes the figures for the calculated loan, none when Calculate wrote no schedule; the exit status.
    virtual int run(const std::optional<Schedule>& loan, const ScriptOutput& output) = 0;
};
