#pragma once

#include <QStringList>

// Pellmarsh without its window: the inputs come from the command line, the same Calculate runs on a
// window that is never shown, and the grid goes to a CSV or PDF file or to standard output.
//
//   pellmarsh --years 30 --rate 6 --principal 200000 [--tax 1200] [--insurance 600] [--start-year 2007]
//             [--no-schedule] (--csv [FILE] | --csv=FILE | --pdf FILE)
//             [--extra-monthly AMOUNT[@YYYY-MM]] [--extra-yearly AMOUNT[@MM]] [--lump YYYY-MM=AMOUNT]...
//             [--pay-less] [--summary]
//
// With any extra payment, --csv and --pdf write the schedule with extras in place of the grid; --summary
// prints the loan as calculated beside the loan with the extras, as "name: value" lines.
// --csv takes no value of its own: its file is the one argument on the line that is not an option, or
// the value written as --csv=FILE; without either, or with "-", the CSV goes to standard output.
// Exit status: 0 done; 1 a message the window would have shown in a box, printed on standard error
// instead (missing input, a run-time error, a file that could not be written); 2 a malformed command
// line, told in one line with a pointer to --help.
namespace ScriptMode {

// Whether the raw arguments ask for this mode (any long option, -h, -v or -?), decided before the
// application exists so that it can start without a display.
bool requested(int argc, const char* const* argv);

// Runs it on the application's arguments (Qt's own options already taken out) and gives the exit status.
int run(const QStringList& arguments);

} // namespace ScriptMode
