#include "editing/grid_cell_editor.h"

#include "base/shown_text.h"
#include "editing/field_limit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace hxv5 {

namespace {

// The editors carry the names of the dialog's fields they stand for.
const QString kNotesName = QStringLiteral("txtNote");

} // namespace

GridCellEditor::GridCellEditor(EditTarget &document, EditSession::Kind kind, QObject *parent)
    : RowStyleDelegate(parent), m_document(document), m_kind(kind)
{
}

QWidget *GridCellEditor::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                      const QModelIndex &index) const
{
    const int column = index.column();
    // Nothing opens where the dialog would not: a band the variant lacks, a running transfer.
    if (!fieldStartValue(m_document, rowAt(index), column))
        return nullptr;
    if (isListColumn(column)) {
        auto *list = new QComboBox(parent);
        list->setObjectName(QStringLiteral("cellList"));
        for (int option : offeredOptions(m_document, rowAt(index), column))
            list->addItem(shownText(kTableTexts, EditSession::optionText(column, option)), option);
        return list;
    }
    auto *field = new QLineEdit(parent);
    if (column == kColNotes) {
        field->setObjectName(kNotesName);
        new FieldLimit(field, EditSession::kNoteLength);
        if (notesFont())
            field->setFont(*notesFont());
    } else if (column == kColFrequency) {
        field->setObjectName(QStringLiteral("txtFreq"));
        FieldLimit::numberField(field, EditSession::kFrequencyLength);
    } else {
        field->setObjectName(QStringLiteral("txtShift"));
        FieldLimit::numberField(field, EditSession::kOffsetLength);
    }
    return field;
}

void GridCellEditor::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const std::optional<FieldValue> start =
        fieldStartValue(m_document, rowAt(index), index.column());
    if (!start)
        return;
    if (auto *list = qobject_cast<QComboBox *>(editor)) {
        // A stored option the dialog does not offer here shows no choice; leaving it so keeps it.
        list->setCurrentIndex(list->findData(start->option));
    } else if (auto *limit = editor->findChild<FieldLimit *>()) {
        limit->show(start->text);
    }
}

void GridCellEditor::setModelData(QWidget *editor, QAbstractItemModel *,
                                  const QModelIndex &index) const
{
    const std::optional<FieldValue> start =
        fieldStartValue(m_document, rowAt(index), index.column());
    if (!start)
        return;
    FieldValue value = *start;
    if (auto *list = qobject_cast<QComboBox *>(editor)) {
        if (list->currentIndex() < 0)
            return;
        value.option = list->currentData().toInt();
    } else if (auto *field = qobject_cast<QLineEdit *>(editor)) {
        value.text = field->text();
    }
    // Passing over a cell changes nothing, not even an empty slot.
    if (value == *start)
        return;
    const CellEditOutcome outcome = editCell(m_document, rowAt(index), value);
    if (!outcome.refusal.isEmpty())
        Q_EMIT const_cast<GridCellEditor *>(this)->notice(outcome.refusal);
}

bool GridCellEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *field = qobject_cast<QLineEdit *>(watched);
        if (field && field->objectName() != kNotesName &&
            FieldLimit::dropsKey(*field, *static_cast<QKeyEvent *>(event)))
            return true;
    }
    return RowStyleDelegate::eventFilter(watched, event);
}

} // namespace hxv5
