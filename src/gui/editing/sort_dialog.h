#pragma once

#include "editing/channel_sort.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

namespace hxv5 {

// "Sort Channels": the key (frequency, notes or tone) and the direction; the text says which
// rows move.
class SortDialog : public QDialog
{
    Q_OBJECT
public:
    // selectedRows: how many selected rows are sorted; 0 when all of channels 0 to 199 are.
    // selectedRows 0: all shown channels 0 to 199; hiddenRows of them are hidden and stay put.
    SortDialog(qsizetype selectedRows, qsizetype hiddenRows, QWidget *parent = nullptr);

    SortKey key() const;
    bool descending() const;

private:
    QButtonGroup *m_keys;
    QCheckBox *m_descending;
};

} // namespace hxv5
