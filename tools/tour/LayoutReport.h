#pragma once
// The tour's layout report: every text each step leaves on screen, measured in the picture
// the tour saves, written as layout.csv beside index.html. A reviewer sorts it by
// ink_visible to find the lines a learner cannot read whole.

#include "driver/Layout.h"

#include <QMap>
#include <QStringList>

class QImage;
class QWidget;

namespace tour {

class LayoutReport {
public:
    // A new learner action: what the step prints from now on is the next picture's.
    void beginStep() { check_.beginStep(); }
    // Measures the texts of `window` in `picture`, saved as `file` (the tour path).
    void add(double scale, const QString& file, const QWidget& window, const QImage& picture);
    // Writes layout.csv; false when the file cannot be written.
    bool write(const QString& path) const;
    // One line: how many texts stand under the readable share, at each scale.
    QString summary() const;

private:
    layout::Check check_;
    QStringList rows_;
    QMap<double, int> unreadable_; // per scale
    int measured_ = 0;
};

} // namespace tour
