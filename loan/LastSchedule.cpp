#include "loan/LastSchedule.h"

LastSchedule& LastSchedule::instance() {
    static LastSchedule schedule;
    return schedule;
}

void LastSchedule::clear() {
    if (m_years.empty())
        return;
    m_years.clear();
    emit changed();
}

void LastSchedule::set(std::vector<ScheduleYear> years) {
    m_years = std::move(years);
    emit changed();
}
