#pragma once

#include "loan/ScheduleYear.h"

#include <QObject>

#include <vector>

// The year figures of the last schedule that Calculate wrote to its end. Calculate clears them when it
// starts, so a Calculate that fails, or that writes no schedule, leaves none; Formula::BuildSchedule sets
// them once the schedule's last cell is written. Whatever shows them listens to changed().
class LastSchedule : public QObject {
    Q_OBJECT

public:
    static LastSchedule& instance();

    const std::vector<ScheduleYear>& years() const { return m_years; }
    bool isEmpty() const { return m_years.empty(); }

    // Emits changed() only when there was a schedule to forget, so a run of failing presses is quiet.
    void clear();
    void set(std::vector<ScheduleYear> years);

signals:
    void changed();

private:
    LastSchedule() = default;

    std::vector<ScheduleYear> m_years;
};
