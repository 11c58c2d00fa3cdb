#pragma once

#include "files/image_compare.h"

#include <QDialog>
#include <QList>

namespace hxv5 {

// The outcome of File > Compare With File: one table row per difference (where, field, this
// document's value, the file's value), or "The files hold the same data" when there is none.
class CompareDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CompareDialog(const QList<ImageDifference> &differences, QWidget *parent = nullptr);
};

} // namespace hxv5
