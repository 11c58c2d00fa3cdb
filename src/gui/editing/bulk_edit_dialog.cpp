#include "editing/bulk_edit_dialog.h"

#include "base/shown_text.h"
#include "editing/field_limit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace hxv5 {

namespace {

struct FieldRow
{
    int column;
    const char *caption;
    const char *name; // the value control is "cbb" or "txt" + name, its tick "chk" + name
};

constexpr FieldRow kRows[] = {
    {kColMode, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "Mode"), "Mode"},
    {kColStep, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "Step"), "Step"},
    {kColTone, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "Tone"), "Tone"},
    {kColTxTone, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "TX Tone"), "TxTone"},
    {kColRxTone, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "RX Tone"), "RxTone"},
    {kColShift, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "Shift"), "Shift"},
    {kColShiftFreq, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "Offset"), "Shift"},
    {kColNotes, QT_TRANSLATE_NOOP("hxv5::BulkEditDialog", "Notes"), "Note"},
};

QCheckBox *tickBox(const QString &caption, const QString &name, QWidget *parent)
{
    auto *tick = new QCheckBox(caption, parent);
    tick->setObjectName(QStringLiteral("chk") + name);
    return tick;
}

QWidget *valueControl(const EditTarget &document, RowRef at, const FieldRow &row, QWidget *parent)
{
    const std::optional<FieldValue> start = fieldStartValue(document, at, row.column);
    if (isListColumn(row.column)) {
        auto *list = new QComboBox(parent);
        list->setObjectName(QStringLiteral("cbb") + QLatin1String(row.name));
        for (int option : offeredOptions(document, at, row.column))
            list->addItem(shownText(kTableTexts, EditSession::optionText(row.column, option)),
                          option);
        list->setCurrentIndex(start ? list->findData(start->option) : -1);
        return list;
    }
    auto *field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("txt") + QLatin1String(row.name));
    FieldLimit *limit = row.column == kColNotes
                            ? new FieldLimit(field, EditSession::kNoteLength)
                            : FieldLimit::numberField(field, EditSession::kOffsetLength);
    limit->show(start ? start->text : QString());
    return field;
}

} // namespace

BulkEditDialog::BulkEditDialog(const EditTarget &document, const QList<int> &slots, int current,
                               QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgEditSelected"));
    setWindowTitle(tr("Edit Selected Channels"));
    auto *top = new QVBoxLayout(this);
    top->addWidget(new QLabel(tr("The ticked fields change on each of the %1 selected rows that "
                                 "holds a channel, checked as the edit dialog checks that channel.")
                                  .arg(slots.size()),
                              this));
    auto *grid = new QGridLayout;
    const RowRef at{EditSession::Kind::Memory, current};
    for (const FieldRow &row : kRows) {
        const int line = static_cast<int>(m_fields.size());
        QCheckBox *tick = tickBox(tr(row.caption), QLatin1String(row.name), this);
        if (row.column == kColShiftFreq)
            tick->setObjectName(QStringLiteral("chkOffset"));
        m_fields.append({row.column, tick, valueControl(document, at, row, this)});
        // A screen reader names each value by its tick's caption.
        m_fields.last().value->setAccessibleName(tick->text());
        grid->addWidget(tick, line, 0);
        grid->addWidget(m_fields.last().value, line, 1);
    }
    m_enableTick = tickBox(tr("Enable"), QStringLiteral("Enable"), this);
    m_enable = new QComboBox(this);
    m_enable->setObjectName(QStringLiteral("cbbEnable"));
    m_enable->setAccessibleName(m_enableTick->text());
    m_enable->addItems({tr("Enabled"), tr("Disabled")});
    grid->addWidget(m_enableTick, static_cast<int>(m_fields.size()), 0);
    grid->addWidget(m_enable, static_cast<int>(m_fields.size()), 1);
    top->addLayout(grid);
    m_auto = new QCheckBox(tr("Auto Mode and Step"), this);
    m_auto->setObjectName(QStringLiteral("chkAuto"));
    top->addWidget(m_auto);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);

    for (QCheckBox *box : {m_enableTick, m_auto})
        connect(box, &QCheckBox::toggled, this, &BulkEditDialog::follow);
    for (const Field &field : std::as_const(m_fields))
        connect(field.tick, &QCheckBox::toggled, this, &BulkEditDialog::follow);
    follow();
}

// A field's value can be set once it is ticked; "Auto Mode and Step" chooses mode and step
// itself, as in the edit dialog.
void BulkEditDialog::follow()
{
    for (const Field &field : std::as_const(m_fields)) {
        const bool chosenByAuto =
            m_auto->isChecked() && (field.column == kColMode || field.column == kColStep);
        field.tick->setEnabled(!chosenByAuto);
        field.value->setEnabled(field.tick->isChecked() && !chosenByAuto);
    }
    m_enable->setEnabled(m_enableTick->isChecked());
}

BulkEdit BulkEditDialog::edit() const
{
    BulkEdit edit;
    for (const Field &field : m_fields) {
        if (!field.tick->isChecked() || !field.tick->isEnabled())
            continue;
        FieldValue value;
        value.column = field.column;
        if (const auto *list = qobject_cast<const QComboBox *>(field.value)) {
            if (list->currentIndex() < 0)
                continue;
            value.option = list->currentData().toInt();
        } else {
            value.text = static_cast<const QLineEdit *>(field.value)->text();
        }
        edit.fields.append(value);
    }
    if (m_enableTick->isChecked())
        edit.enable = m_enable->currentIndex() == 0;
    edit.autoModeStep = m_auto->isChecked();
    return edit;
}

} // namespace hxv5
