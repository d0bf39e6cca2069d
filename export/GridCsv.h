#pragma once

#include <QByteArray>
#include <QString>

class FlexGridModel;

// The grid as a CSV file (RFC 4180) in UTF-8: every row, the fixed row 0 included, one record a row,
// fields separated by commas and records ended by CR LF. A text goes out exactly as the cell holds it,
// trailing blanks and all; a text holding a comma, a double quote or a line break is put in double
// quotes, with each double quote in it doubled.
namespace GridCsv {

QString field(const QString& text);
QByteArray document(const FlexGridModel& model);

// Writes the document through a temporary file that replaces `path` only once it is complete, so a
// failure leaves neither a half-written file nor a damaged earlier one. Returns the reason for a
// failure, as the system gives it, or an empty text.
QString save(const FlexGridModel& model, const QString& path);

// The same for any bytes: the whole of them at `path`, or nothing and the reason.
QString saveWhole(const QByteArray& bytes, const QString& path);

} // namespace GridCsv
