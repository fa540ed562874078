#pragma once
// The pacing rows: animated steps played on the real clock, each set against the sum of
// the waits its lesson rows perform. A lesson adds its animated steps here as rows.

#include <QString>
#include <functional>
#include <vector>

namespace pacing {

struct Row {
    QString name;                  // no commas: the rows are also printed as CSV
    double nominalMs;              // the sum of the waits the step performs, from its rows
    std::function<void()> prepare; // untimed: brings the window to where the step begins
    std::function<void()> play;    // the step, through its window's session
    std::function<void()> finish;  // after the last run (may be empty)
};

// Rows of the introduction to light and of the hierarchy of matter.
void lightRows(std::vector<Row>& rows);
void matterRows(std::vector<Row>& rows);

} // namespace pacing
