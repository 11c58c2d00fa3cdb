#include "editing/find_bar.h"

#include "editing/channel_grid.h"
#include "editing/channel_table.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace hxv5 {

FindBar::FindBar(ChannelGrid &grid, QWidget *parent) : QWidget(parent), m_grid(grid)
{
    setObjectName(QStringLiteral("FindBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    auto *caption = new QLabel(tr("Find:"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("txtFind"));
    m_text->setPlaceholderText(tr("frequency, note or tone"));
    m_text->setClearButtonEnabled(true);
    m_text->setMinimumWidth(m_text->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6);
    caption->setBuddy(m_text);
    m_onlyMatches = new QCheckBox(tr("Only matching rows"), this);
    m_onlyMatches->setObjectName(QStringLiteral("chkFindOnly"));
    // The search field gives way before the option's caption is cut.
    m_onlyMatches->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblFindCount"));
    layout->addWidget(caption);
    layout->addWidget(m_text, 1);
    const struct
    {
        const char *name;
        const char *caption;
        void (FindBar::*slot)();
    } buttons[] = {{"cmdFindPrevious", QT_TR_NOOP("Previous"), &FindBar::findPrevious},
                   {"cmdFindNext", QT_TR_NOOP("Next"), &FindBar::findNext},
                   {"cmdFindClose", QT_TR_NOOP("Close"), &FindBar::close}};
    for (const auto &b : buttons) {
        auto *button = new QPushButton(tr(b.caption), this);
        button->setObjectName(QLatin1String(b.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.slot);
        layout->addWidget(button);
    }
    layout->insertWidget(layout->count() - 1, m_onlyMatches);
    layout->insertWidget(layout->count() - 1, m_count);

    connect(m_text, &QLineEdit::textChanged, this, [this] {
        applyText();
        const ChannelFilter &filter = m_grid.filter();
        if (!filter.matches(m_grid.channels(), m_grid.currentSlot()))
            m_grid.findNext();
    });
    connect(m_onlyMatches, &QCheckBox::toggled, this, &FindBar::applyText);
    // A table that changes changes the count.
    connect(m_grid.model(), &QAbstractItemModel::dataChanged, this, [this] {
        if (isVisible())
            applyText();
    });
    hide();
}

void FindBar::open()
{
    show();
    applyText();
    m_text->selectAll();
    m_text->setFocus(Qt::ShortcutFocusReason);
}

void FindBar::close()
{
    hide();
    ChannelFilter filter = m_grid.filter();
    filter.text.clear();
    m_grid.setFilter(filter);
    m_grid.setFocus(Qt::OtherFocusReason);
}

void FindBar::applyText()
{
    ChannelFilter filter = m_grid.filter();
    filter.text = m_text->text();
    filter.onlyMatches = m_onlyMatches->isChecked();
    m_grid.setFilter(filter);
    const int count = matchCount(filter, m_grid.channels());
    m_count->setText(filter.text.trimmed().isEmpty() ? QString()
                     : count == 0                    ? tr("No match")
                     : count == 1                    ? tr("1 match")
                                                     : tr("%1 matches").arg(count));
}

void FindBar::findNext()
{
    m_grid.findNext();
}

void FindBar::findPrevious()
{
    m_grid.findNext(true);
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_grid.findNext(modifiers == Qt::ShiftModifier);
    } else if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        close();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

QString FindBar::goTo(const QString &label)
{
    const int slot = slotForLabel(label);
    if (slot < 0)
        return tr("No channel \"%1\": give 0 to 199, P0A to P4B, A-L, A-H or Pri.")
            .arg(label.trimmed());
    if (!m_grid.isSlotShown(slot))
        return tr("Channel %1 is hidden: close the find bar's filter or untick View ▸ Hide "
                  "Empty Slots to reach it.")
            .arg(slotRowLabel(slot));
    m_grid.setCurrentSlot(slot);
    m_grid.setFocus(Qt::OtherFocusReason);
    return {};
}

} // namespace hxv5
