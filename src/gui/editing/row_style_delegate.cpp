#include "editing/row_style_delegate.h"

#include "editing/channel_table.h"
#include "editing/row_table_model.h"

namespace hxv5 {

RowStyleDelegate::RowStyleDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void RowStyleDelegate::setNotesFont(const QFont &font)
{
    m_notesFont = font;
}

QColor RowStyleDelegate::greyText(const QPalette &palette)
{
    return palette.color(QPalette::Disabled, QPalette::WindowText);
}

QStyleOptionViewItem RowStyleDelegate::cellStyle(const QStyleOptionViewItem &viewOption,
                                                 const QModelIndex &index) const
{
    QStyleOptionViewItem option = viewOption;
    initStyleOption(&option, index);
    return option;
}

void RowStyleDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);

    const bool notes = index.column() == kColNotes;
    if (notes && m_notesFont) {
        const bool italic = option->font.italic();
        option->font = m_notesFont->resolve(option->font);
        option->font.setItalic(italic);
    }

    // A grid cell aligns a number to the right and any other text to the left; the Notes column
    // holds free text, so even digits typed there stay on the left.
    bool numeric = false;
    if (!notes)
        option->text.toDouble(&numeric);
    option->displayAlignment = Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft);

    if (!index.data(RowTableModel::EnabledRole).toBool()) {
        option->font.setItalic(true);
        option->palette.setColor(QPalette::Text, greyText(option->palette));
    }
}

} // namespace hxv5
