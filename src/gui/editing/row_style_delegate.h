#pragma once

#include <QFont>
#include <QStyledItemDelegate>

#include <optional>

namespace hxv5 {

// Draws the cells of the two grids in their row style: a disabled slot in the desktop's
// grey-text colour and italics, the Notes cells in their own font once one is set, and the other
// cells aligned the way the radio people are used to (numbers right, words left).
class RowStyleDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit RowStyleDelegate(QObject *parent = nullptr);

    void setNotesFont(const QFont &font);
    std::optional<QFont> notesFont() const { return m_notesFont; }

    // The option a cell is painted with (the view's defaults plus the row style).
    QStyleOptionViewItem cellStyle(const QStyleOptionViewItem &viewOption,
                                   const QModelIndex &index) const;

    // The colour the grids use for the text of disabled slots.
    static QColor greyText(const QPalette &palette);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    std::optional<QFont> m_notesFont;
};

} // namespace hxv5
