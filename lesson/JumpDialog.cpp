#include "lesson/JumpDialog.h"

#include "player/Canvas.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kTargetRole = Qt::UserRole;
}

JumpDialog::JumpDialog(const course::Course& c, const lesson::Procedure* currentProcedure, int current,
                       QWidget* parent)
    : QDialog(parent), targets_(jump::itemsOf(c)) {
    setWindowTitle(QStringLiteral("セクションへ移動"));
    setFont(uiFont(10.5));
    list = new QTreeWidget(this);
    list->setHeaderHidden(true);
    list->setColumnCount(1);
    list->setRootIsDecorated(true);
    list->setUniformRowHeights(true);
    QTreeWidgetItem* first = nullptr;
    QTreeWidgetItem* selected = nullptr;
    for (int i = 0; i < int(targets_.size()); ++i) {
        const jump::Target& t = targets_[i];
        auto* item = new QTreeWidgetItem(list, {QString::fromUtf8(c.item(t.menuIndex).label)});
        item->setFlags(Qt::ItemIsEnabled);
        for (const lesson::Section* s : t.procedure->sections) {
            auto* row = new QTreeWidgetItem(
                item, {QStringLiteral("%1　%2").arg(s->number).arg(QString::fromUtf8(s->topic))});
            row->setData(0, kTargetRole, QVariant::fromValue(QPoint(i, s->number)));
            if (!first) first = row;
            if (t.procedure == currentProcedure && s->number == current) selected = row;
        }
    }
    list->expandAll();
    list->setCurrentItem(selected ? selected : first);
    if (selected)
        list->scrollToItem(selected, QAbstractItemView::PositionAtCenter);
    else
        list->scrollToTop();
    connect(list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { acceptIfSection(item); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* go = buttons->addButton(QStringLiteral("移動"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    go->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { acceptIfSection(list->currentItem()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(buttons);
    resize(360, 420);
    list->setFocus();
}

void JumpDialog::acceptIfSection(QTreeWidgetItem* item) {
    // An item's own row only opens or closes its sections.
    if (item && item->data(0, kTargetRole).isValid()) accept();
}

std::optional<jump::Target> JumpDialog::chosen() const {
    const QTreeWidgetItem* item = list->currentItem();
    if (result() != QDialog::Accepted || !item || !item->data(0, kTargetRole).isValid()) return std::nullopt;
    const QPoint at = item->data(0, kTargetRole).toPoint();
    jump::Target t = targets_.value(at.x());
    t.section = at.y();
    return t;
}

bool JumpDialog::select(const QString& procedure, int section) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = list->topLevelItem(i);
        for (int j = 0; j < top->childCount(); ++j) {
            QTreeWidgetItem* row = top->child(j);
            const QPoint at = row->data(0, kTargetRole).toPoint();
            if (procedure == QLatin1String(targets_.value(at.x()).procedure->name) && at.y() == section) {
                list->setCurrentItem(row);
                return true;
            }
        }
    }
    return false;
}
