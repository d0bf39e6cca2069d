#pragma once

#include "app/Form1.h"
#include "app/InputBox.h"
#include "bench/ScheduleArithmetic.h"

#include <QCoreApplication>

#include <memory>

// The window as the user has it after typing the worked loan's figures for the given length, shown.
inline std::unique_ptr<Form1> loanWindow(int years) {
    auto form = std::make_unique<Form1>();
    form->show();
    QCoreApplication::processEvents();
    form->Text1->setText(QString::number(years));
    form->Text2->setText(ScheduleArithmetic::kRatePercent);
    form->Text3->setText(ScheduleArithmetic::kPrincipal);
    form->Text4->setText(QStringLiteral("1200"));
    form->Text5->setText(QStringLiteral("600"));
    form->Text6->setText(ScheduleArithmetic::kStartYear);
    return form;
}
