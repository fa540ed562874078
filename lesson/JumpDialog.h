#pragma once
// The list a teacher jumps from: the course's items with their sections, by the names
// the course registry gives them.

#include "lesson/Jump.h"

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

class JumpDialog : public QDialog {
    Q_OBJECT
public:
    // The items and sections of course c; the section `current` of the procedure
    // `currentProcedure` (the step on the screen, if any) is selected at first.
    JumpDialog(const course::Course& c, const lesson::Procedure* currentProcedure, int current,
               QWidget* parent = nullptr);

    QTreeWidget* list = nullptr;
    // The chosen section once the dialog is accepted.
    std::optional<jump::Target> chosen() const;
    // Selects the row of this procedure's section; false when the list has none.
    bool select(const QString& procedure, int section);

private:
    QList<jump::Target> targets_;
    void acceptIfSection(QTreeWidgetItem* item);
};
