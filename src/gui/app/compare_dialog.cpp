#include "app/compare_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hxv5 {

CompareDialog::CompareDialog(const QList<ImageDifference> &differences, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgCompare"));
    setWindowTitle(tr("Compare With File"));
    auto *layout = new QVBoxLayout(this);

    auto *summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setText(differences.isEmpty() ? tr("The files hold the same data.")
                                           : (differences.size() == 1
                                                  ? tr("1 difference.")
                                                  : tr("%1 differences.").arg(differences.size())));
    layout->addWidget(summary);

    auto *table = new QTableWidget(static_cast<int>(differences.size()), 4, this);
    table->setObjectName(QStringLiteral("grdDifferences"));
    table->setHorizontalHeaderLabels(
        {tr("Where"), tr("Field"), tr("This Document"), tr("The File")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setAccessibleName(tr("Differences"));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < differences.size(); ++r) {
        const ImageDifference &d = differences.at(r);
        const QString cells[] = {d.where, d.field, d.valueA, d.valueB};
        for (int c = 0; c < 4; ++c)
            table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table->resizeColumnsToContents();
    table->setVisible(!differences.isEmpty());
    layout->addWidget(table);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, differences.isEmpty() ? 120 : 400);
}

} // namespace hxv5
