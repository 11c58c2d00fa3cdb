#pragma once

#include "editing/bulk_edit.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace hxv5 {

class EditTarget;

// "Edit Selected Channels": a check box beside each field (mode, step, tone mode, the two tones,
// shift, offset, enable, notes) and "Auto Mode and Step". Only the ticked fields change, on every
// chosen slot that holds a channel; the core checks each value for each slot. The lists offer
// what the edit dialog offers a memory slot on the model variant, and start at the current
// channel's values.
class BulkEditDialog : public QDialog
{
    Q_OBJECT
public:
    BulkEditDialog(const EditTarget &document, const QList<int> &slots, int current,
                   QWidget *parent = nullptr);

    // The ticked fields with their values.
    BulkEdit edit() const;

private:
    struct Field
    {
        int column;
        QCheckBox *tick;
        QWidget *value;
    };
    void follow();

    QList<Field> m_fields;
    QCheckBox *m_enableTick;
    QComboBox *m_enable;
    QCheckBox *m_auto;
};

} // namespace hxv5
