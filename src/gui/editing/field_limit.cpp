#include "editing/field_limit.h"

#include "editing/edit_session.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace hxv5 {

FieldLimit::FieldLimit(QLineEdit *field, int length, const QString &pattern)
    : QValidator(field), m_field(field), m_length(length), m_bound(length),
      m_pattern(pattern.isEmpty()
                    ? QRegularExpression()
                    : QRegularExpression(QRegularExpression::anchoredPattern(pattern)))
{
    field->setValidator(this);
    connect(field, &QLineEdit::textChanged, this, &FieldLimit::follow);
}

FieldLimit *FieldLimit::numberField(QLineEdit *field, int length)
{
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Typed keys pass the dialog's keystroke filter; the limit keeps pasted text to the same
    // digits and one point.
    return new FieldLimit(field, length, QStringLiteral("[0-9]*\\.?[0-9]*"));
}

void FieldLimit::show(const QString &text)
{
    // The bound must admit the text before the field validates it: a field whose text the
    // validator refused stops refusing what is typed next.
    follow(text);
    m_field->setText(text);
}

QValidator::State FieldLimit::validate(QString &input, int &) const
{
    if (input.size() > m_bound)
        return Invalid;
    if (!m_pattern.pattern().isEmpty() && !m_pattern.match(input).hasMatch())
        return Invalid;
    return Acceptable;
}

void FieldLimit::follow(const QString &text)
{
    m_bound = std::max<qsizetype>(m_length, text.size());
}

bool FieldLimit::dropsKey(const QLineEdit &field, const QKeyEvent &key)
{
    const QString text = key.text();
    return text.size() == 1 && text.at(0).isPrint() &&
           !EditSession::acceptKey(field.text(), text.at(0));
}

} // namespace hxv5
