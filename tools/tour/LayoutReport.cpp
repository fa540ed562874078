#include "tools/tour/LayoutReport.h"

#include "tools/tour/Handout.h"

#include <QFile>
#include <QImage>
#include <QWidget>

namespace tour {

void LayoutReport::add(double scale, const QString& file, const QWidget& window, const QImage& picture) {
    if (!unreadable_.contains(scale)) unreadable_.insert(scale, 0);
    for (const layout::Measure& m : check_.measure(window, picture)) {
        rows_ << layout::csvRow(scaleName(scale), file, m);
        ++measured_;
        if (m.inkVisible < layout::kReadable) ++unreadable_[scale];
    }
}

bool LayoutReport::write(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QByteArray all = layout::csvHeader().toUtf8() + '\n';
    for (const QString& r : rows_)
        all += r.toUtf8() + '\n';
    return f.write(all) == all.size() && f.flush();
}

QString LayoutReport::summary() const {
    int total = 0;
    QStringList per;
    for (auto it = unreadable_.cbegin(); it != unreadable_.cend(); ++it) {
        total += it.value();
        per << QStringLiteral("%1 at gScale %2").arg(it.value()).arg(scaleName(it.key()));
    }
    return QStringLiteral("layout: %1 of %2 texts under %3 % visible (%4), see layout.csv")
        .arg(total)
        .arg(measured_)
        .arg(layout::kReadable * 100)
        .arg(per.join(QStringLiteral(", ")));
}

} // namespace tour
