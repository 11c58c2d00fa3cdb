#include "editing/sort_dialog.h"

#include "base/shown_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hxv5 {

SortDialog::SortDialog(qsizetype selectedRows, qsizetype hiddenRows, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgSort"));
    setWindowTitle(tr("Sort Channels"));
    auto *top = new QVBoxLayout(this);
    top->addWidget(new QLabel(
        selectedRows > 0 ? tr("Sorts the channels of the %1 selected rows.").arg(selectedRows)
        : hiddenRows > 0
            ? tr("Sorts the shown channels of 0 to 199; the %1 hidden rows stay as they are.")
                  .arg(hiddenRows)
            : tr("Sorts channels 0 to 199."),
        this));
    m_keys = new QButtonGroup(this);
    int id = 0;
    for (SortKey key : {SortKey::Frequency, SortKey::Notes, SortKey::Tone}) {
        auto *option = new QRadioButton(shownText(kTableTexts, sortKeyName(key)), this);
        option->setObjectName(QStringLiteral("opbSortKey_%1").arg(id));
        option->setChecked(id == 0);
        m_keys->addButton(option, id++);
        top->addWidget(option);
    }
    m_descending = new QCheckBox(tr("Descending"), this);
    m_descending->setObjectName(QStringLiteral("chkDescending"));
    top->addWidget(m_descending);
    top->addWidget(new QLabel(tr("Empty slots go last; the special rows stay."), this));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);
}

SortKey SortDialog::key() const
{
    return static_cast<SortKey>(m_keys->checkedId());
}

bool SortDialog::descending() const
{
    return m_descending->isChecked();
}

} // namespace hxv5
