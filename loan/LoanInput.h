#pragma once

#include <QString>

// A window's input box that a loan figure is read from: its design name, by which the window finds it, and
// the label shown above it, by which a message names it to the user.
struct LoanInput {
    const char* name;
    const char* label;

    QString objectName() const { return QString::fromLatin1(name); }
    // the "Annual Interest Rate" box
    QString words() const { return QStringLiteral("the \"%1\" box").arg(QString::fromLatin1(label)); }
};

namespace LoanInputs {
inline constexpr LoanInput kLength{"Text1", "Length of Loan (Years)"};
inline constexpr LoanInput kRate{"Text2", "Annual Interest Rate"};
inline constexpr LoanInput kPrincipal{"Text3", "Principal Loan Balance"};
inline constexpr LoanInput kTax{"Text4", "Annual Property Tax and Insurance Other Expanses"};
inline constexpr LoanInput kInsurance{"Text5", "Annual Insur:"};
inline constexpr LoanInput kStartYear{"Text6", "Year To Start the payment"};
} // namespace LoanInputs
