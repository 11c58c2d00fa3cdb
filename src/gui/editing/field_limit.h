#pragma once

#include <QRegularExpression>
#include <QValidator>

class QKeyEvent;
class QLineEdit;

namespace hxv5 {

// Holds what the user types into a field to the field's length and, for the number fields, to
// digits and one point. A longer text the program puts there itself (a note or frequency read from
// a file, a formatted value) is shown and kept whole: while the field is that long, typing may
// replace characters but not add any, and each character the user removes lowers the bound until
// it is the field's length again.
class FieldLimit : public QValidator
{
    Q_OBJECT
public:
    FieldLimit(QLineEdit *field, int length, const QString &pattern = QString());

    // A number field of the edit dialog: digits and one point, at most length characters.
    static FieldLimit *numberField(QLineEdit *field, int length);

    // Puts a text of the program's own into the field, however long.
    void show(const QString &text);

    State validate(QString &input, int &) const override;

    // The edit dialog's keystroke filter on a number field: true when the key types a character
    // the filter drops (anything but a digit, backspace and a first point). Keys without a
    // character (arrows, Delete, Home) are never dropped.
    static bool dropsKey(const QLineEdit &field, const QKeyEvent &key);

private:
    void follow(const QString &text);

    QLineEdit *m_field;
    qsizetype m_length;
    qsizetype m_bound;
    QRegularExpression m_pattern;
};

} // namespace hxv5
